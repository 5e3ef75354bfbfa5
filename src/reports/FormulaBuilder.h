#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace brimo::reports {

// Builders of report criteria in two dialects: the selection formula of the
// report engine ({Table.Field} subjects, "text", Date(y, m, d)) and the
// readable criteria description (display labels, 'text', dates in the
// user's short date format). An empty criterion adds no condition. Values
// are inserted as they stand: quotes inside them are not escaped.

// Case folding of a text range: subject and both values in upper case
// (letters a-z only) or lower case (A-Z only), or as typed.
enum class CaseFolding { asTyped = 0, upper = 1, lower = 2 };

// The dialogs pass the folding as a number: 1 upper, 2 lower, else as typed.
CaseFolding caseFoldingFromMode(int mode);

// Text range. The bounds are trimmed of blanks first; equal bounds give
// "= value"; a beginning ending in '?' with no ending gives "startswith" the
// beginning without its '?'; otherwise ">= low", "<= high" or both joined by
// " And ".
std::string formatRangeCriterion(std::string_view table, std::string_view field, std::string_view begin,
                                 std::string_view end, CaseFolding folding = CaseFolding::asTyped);
// The same in the description dialect; the bounds are neither trimmed nor
// folded.
std::string describeRangeCriterion(std::string_view label, std::string_view begin, std::string_view end);

// Logical field: "subject = True", "subject <> False" and so on.
std::string formatFlagCriterion(std::string_view table, std::string_view field, bool value, bool negate);
std::string describeFlagCriterion(std::string_view label, bool value, bool negate);

// Date range of typed dates (see platform::tryReadDate). Both texts empty
// give no criterion; a text that is not a date, an empty one beside a
// non-empty one included, throws platform::DateConversionError before
// anything is built.
std::string formatDateCriterion(std::string_view table, std::string_view field, std::string_view begin,
                                std::string_view end);
std::string describeDateCriterion(std::string_view label, std::string_view begin, std::string_view end);

// The longest criterion appendCriterion accepts.
inline constexpr std::size_t maxCriterionLength = 256;

// A criterion longer than maxCriterionLength. Such a criterion is refused
// rather than cut (a cut one would select other records than the user asked
// for, or be unreadable to the engine), and the result buffers of the host
// are sized for criteria of at most this length.
class CriterionTooLongError : public std::runtime_error {
  public:
    CriterionTooLongError();
};

// Appends a criterion to a formula or description: nothing for an empty
// criterion, " And " before it when the destination already holds text.
// Throws CriterionTooLongError, leaving the destination unchanged, for a
// criterion longer than maxCriterionLength.
void appendCriterion(std::string& destination, std::string_view criterion);

}  // namespace brimo::reports
