#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/index/MdxIndex.h"
#include "data/index/MdxStore.h"

namespace brimo::data::index::detail {

// The layout of a new tag from its definition: checks the name, compiles the
// expressions against the store's fields and derives the key geometry.
TagLayout layoutFor(const std::vector<FieldDef>& fields, uint32_t blockSize, const TagDefinition& definition);

// Writes the whole file: header, tag table, one header block per tag, then
// each tag's tree built from `records`; cuts the file after the last block.
// Assigns the header pages of `tags`.
void writeWholeFile(MdxStore& store, std::string_view tableName, std::vector<TagLayout>& tags,
                    const RecordSource& records);

// A tag header block for `tag` whose tree has its root at `root` and uses
// `blocks` blocks.
std::vector<std::byte> makeTagHeader(const MdxStore& store, const TagLayout& tag, uint32_t root, uint32_t blocks);

}  // namespace brimo::data::index::detail
