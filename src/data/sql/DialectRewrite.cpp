#include "data/sql/DialectRewrite.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "data/sql/SqlTokenizer.h"

namespace brimo::data::sql {
namespace {

std::string folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// Words that end a FROM item, so that they are never taken for an alias.
bool endsFromItem(const Token& t) {
    static constexpr std::array<std::string_view, 27> words = {
        "where",   "join",  "on",      "using", "left",      "right",  "full",   "inner",   "cross",
        "natural", "outer", "group",   "order", "having",    "limit",  "union",  "except",  "intersect",
        "window",  "set",   "indexed", "not",   "returning", "values", "select", "default", "offset"};
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return t.isWord(w); });
}

class Rewriter {
  public:
    explicit Rewriter(std::string_view sql) : tokens_(tokenize(sql)) {
        for (size_t i = 0; i < tokens_.size(); ++i) {
            if (tokens_[i].significant())
                significant_.push_back(i);
        }
    }

    std::string run() {
        collectTableItems();
        std::vector<std::string> replacement(tokens_.size());
        std::vector<bool> replaced(tokens_.size(), false);
        qualifiers(replacement, replaced);
        quotedValues(replacement, replaced);
        std::string out;
        for (size_t i = 0; i < tokens_.size(); ++i) out += replaced[i] ? replacement[i] : std::string(tokens_[i].text);
        return out;
    }

  private:
    const Token& sig(size_t k) const { return tokens_[significant_[k]]; }
    bool hasSig(size_t k) const { return k < significant_.size(); }

    // Records every table named after FROM, JOIN, UPDATE or DELETE FROM, with its alias if any.
    void collectTableItems() {
        for (size_t k = 0; k < significant_.size(); ++k) {
            const Token& t = sig(k);
            if (t.isWord("from") || t.isWord("join") || t.isWord("update")) {
                size_t next = tableItem(k + 1);
                while (t.isWord("from") && hasSig(next) && sig(next).isOperator(",")) next = tableItem(next + 1);
            }
        }
    }

    // Parses `[schema.]name [[AS] alias]` at significant position k; returns the position after it.
    size_t tableItem(size_t k) {
        if (!hasSig(k) || !sig(k).isName() || endsFromItem(sig(k)))
            return k;
        size_t nameAt = k;
        if (hasSig(k + 2) && sig(k + 1).isOperator(".") && sig(k + 2).isName()) {
            itemNameTokens_.insert(significant_[k]);
            nameAt = k + 2;
        }
        itemNameTokens_.insert(significant_[nameAt]);
        size_t next = nameAt + 1;
        if (hasSig(next) && sig(next).isOperator("("))
            return next;  // a table-valued function
        std::optional<std::string> alias;
        if (hasSig(next) && sig(next).isWord("as"))
            ++next;
        if (hasSig(next) && sig(next).isName() && !endsFromItem(sig(next))) {
            alias = unquotedName(sig(next));
            aliasNames_.insert(folded(*alias));
            ++next;
        }
        items_[folded(unquotedName(sig(nameAt)))].push_back(alias);
        return next;
    }

    // The alias that replaces `name` used as a qualifier, if the name has exactly one.
    std::optional<std::string> aliasFor(const std::string& name) const {
        auto it = items_.find(folded(name));
        if (it == items_.end() || it->second.size() != 1 || !it->second.front())
            return std::nullopt;
        if (aliasNames_.count(folded(name)))
            return std::nullopt;
        return it->second.front();
    }

    void qualifiers(std::vector<std::string>& replacement, std::vector<bool>& replaced) const {
        for (size_t k = 0; k + 2 < significant_.size(); ++k) {
            const Token& t = sig(k);
            if (!t.isName() || itemNameTokens_.count(significant_[k]))
                continue;
            if (!sig(k + 1).isOperator(".") || !(sig(k + 2).isName() || sig(k + 2).isOperator("*")))
                continue;
            if (k > 0 && sig(k - 1).isOperator("."))
                continue;
            if (auto alias = aliasFor(unquotedName(t))) {
                replacement[significant_[k]] = *alias;
                replaced[significant_[k]] = true;
            }
        }
    }

    static bool introducesValue(const Token& t) {
        static constexpr std::array<std::string_view, 9> ops = {"=", "==", "<>", "!=", "<", "<=", ">", ">=", "||"};
        static constexpr std::array<std::string_view, 7> words = {"like", "glob", "escape", "between",
                                                                  "is",   "then", "else"};
        if (t.kind == TokenKind::Operator)
            return std::find(ops.begin(), ops.end(), t.text) != ops.end();
        return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return t.isWord(w); });
    }

    void quotedValues(std::vector<std::string>& replacement, std::vector<bool>& replaced) const {
        std::vector<bool> valueListAt;  // one entry per open parenthesis
        bool betweenPending = false;    // a BETWEEN whose AND is still to come
        bool betweenAnd = false;        // the previous token was the AND of a BETWEEN
        bool lastClosedWasValueList = false;
        for (size_t k = 0; k < significant_.size(); ++k) {
            const Token& t = sig(k);
            const Token* prev = k > 0 ? &sig(k - 1) : nullptr;
            if (t.isOperator("(")) {
                const bool list = prev && (prev->isWord("in") || prev->isWord("values") || introducesValue(*prev) ||
                                           (prev->isOperator(",") && lastClosedWasValueList));
                valueListAt.push_back(list);
                continue;
            }
            if (t.isOperator(")")) {
                lastClosedWasValueList = !valueListAt.empty() && valueListAt.back();
                if (!valueListAt.empty())
                    valueListAt.pop_back();
                continue;
            }
            if (t.isWord("between"))
                betweenPending = true;
            const bool afterBetweenAnd = prev && prev->isWord("and") && betweenAnd;
            betweenAnd = false;
            if (t.isWord("and") && betweenPending) {
                betweenPending = false;
                betweenAnd = true;
            }
            if (t.kind != TokenKind::QuotedName || !prev)
                continue;
            if (hasSig(k + 1) && sig(k + 1).isOperator("."))
                continue;
            const bool inList =
                !valueListAt.empty() && valueListAt.back() && (prev->isOperator("(") || prev->isOperator(","));
            bool value = inList || introducesValue(*prev);
            if (prev->isWord("not") && k > 1 && sig(k - 2).isWord("is"))
                value = true;
            if (afterBetweenAnd)
                value = true;
            if (!value)
                continue;
            std::string literal = "'";
            for (char c : unquotedName(t)) {
                literal += c;
                if (c == '\'')
                    literal += '\'';
            }
            replacement[significant_[k]] = literal + "'";
            replaced[significant_[k]] = true;
        }
    }

    std::vector<Token> tokens_;
    std::vector<size_t> significant_;
    std::map<std::string, std::vector<std::optional<std::string>>> items_;
    std::set<std::string> aliasNames_;
    std::set<size_t> itemNameTokens_;
};

}  // namespace

std::string rewriteDialect(std::string_view sql) {
    return Rewriter(sql).run();
}

}  // namespace brimo::data::sql
