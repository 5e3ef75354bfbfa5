#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "data/FieldDef.h"
#include "data/index/RecordSource.h"

namespace brimo::data::index::test {

// Records of a table held in memory, for building and checking tags.
class MemoryTable : public RecordSource {
  public:
    explicit MemoryTable(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
        uint32_t offset = 1;
        for (FieldDef& f : fields_) {
            f.offset = offset;
            offset += f.length;
        }
        recordLength_ = offset;
    }

    const std::vector<FieldDef>& fields() const { return fields_; }

    // A record from field texts in field order; numbers right-aligned.
    std::vector<std::byte> make(const std::vector<std::string>& values, bool deleted = false) const {
        std::vector<std::byte> rec(recordLength_, std::byte{' '});
        rec[0] = static_cast<std::byte>(deleted ? '*' : ' ');
        for (size_t i = 0; i < values.size() && i < fields_.size(); ++i) {
            const FieldDef& f = fields_[i];
            std::string v = values[i].substr(0, f.length);
            size_t pad = (f.type == 'N' || f.type == 'F') ? f.length - v.size() : 0;
            std::memcpy(rec.data() + f.offset + pad, v.data(), v.size());
        }
        return rec;
    }

    uint32_t append(std::vector<std::byte> record) {
        records_.push_back(std::move(record));
        present_.push_back(true);
        return static_cast<uint32_t>(records_.size());
    }
    std::vector<std::byte>& record(uint32_t recno) { return records_.at(recno - 1); }
    // A record taken out of the table (its number stays used).
    void drop(uint32_t recno) { present_.at(recno - 1) = false; }
    bool present(uint32_t recno) const { return present_.at(recno - 1); }

    uint32_t recordCount() const override { return static_cast<uint32_t>(records_.size()); }
    void forEachRecord(const Visitor& visit) const override {
        for (size_t i = 0; i < records_.size(); ++i) {
            if (present_[i])
                visit(static_cast<uint32_t>(i + 1), records_[i]);
        }
    }

  private:
    std::vector<FieldDef> fields_;
    uint32_t recordLength_ = 1;
    std::vector<std::vector<std::byte>> records_;
    std::vector<bool> present_;
};

}  // namespace brimo::data::index::test
