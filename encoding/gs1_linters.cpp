#include "encoding/gs1_linters.h"

#include <cstdint>
#include <iterator>

#include "encoding/gs1_code_lists.h"

namespace quillant::gs1 {
namespace {

using Fault = std::optional<std::string>;

std::string Text(std::string_view s) { return std::string(s); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool AllDigits(std::string_view s) {
    for (char c : s) {
        if (!IsDigit(c)) return false;
    }
    return !s.empty();
}
int Number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

// The GS1 modulo-10 check digit of the digits before the last one.
Fault CheckDigit(std::string_view s) {
    int sum = 0;
    int weight = 3;
    for (size_t i = s.size() - 1; i-- > 0;) {
        sum += (s[i] - '0') * weight;
        weight = 4 - weight;
    }
    const char expected = static_cast<char>('0' + (10 - sum % 10) % 10);
    if (s.back() == expected) return std::nullopt;
    return "check digit " + std::string(1, s.back()) + " should be " + std::string(1, expected);
}

// The alphanumeric check character pair: the characters' places in CSET 82,
// weighted by primes from the right, modulo 1021, written in CSET 32.
constexpr std::string_view kCset82 =
    "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kCset32 = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int kPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83};

Fault CheckPair(std::string_view s) {
    const size_t data = s.size() - 2;
    if (s.size() < 3 || data > std::size(kPrimes)) return "too short for its check character pair";
    int sum = 0;
    for (size_t i = 0; i < data; ++i) {
        sum += static_cast<int>(kCset82.find(s[i])) * kPrimes[data - 1 - i];
    }
    sum %= 1021;
    const std::string expected{kCset32[static_cast<size_t>(sum >> 5)], kCset32[static_cast<size_t>(sum & 31)]};
    if (s.substr(data) == expected) return std::nullopt;
    return "check characters " + std::string(s.substr(data)) + " should be " + expected;
}

// A GS1 Company Prefix has at least four digits; which prefixes exist needs
// GS1's allocation list, which this check does not have.
Fault CompanyPrefixAt(std::string_view s, size_t at) {
    constexpr size_t kShortestPrefix = 4;
    if (s.size() < at + kShortestPrefix || !AllDigits(s.substr(at, kShortestPrefix))) {
        return Text(s) + " does not hold a GS1 Company Prefix at position " + std::to_string(at + 1);
    }
    return std::nullopt;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A two-digit year counts as 20yy for February 29: GS1 dates lie within
// half a century of today, where every fourth year is a leap year and 00
// stands for 2000, which is one too.
Fault Date(std::string_view s, bool fourDigitYear, bool dayMayBeZero) {
    const size_t y = fourDigitYear ? 4 : 2;
    const int year = fourDigitYear ? Number(s.substr(0, 4)) : 2000 + Number(s.substr(0, 2));
    const int month = Number(s.substr(y, 2));
    const int day = Number(s.substr(y + 2, 2));
    const bool valid = month >= 1 && month <= 12 &&
                       ((day == 0 && dayMayBeZero) || (day >= 1 && day <= DaysIn(year, month)));
    if (valid) return std::nullopt;
    return Text(s) + " is not a date";
}

Fault InRange(std::string_view s, int low, int high, const char* what) {
    const int n = Number(s);
    if (n >= low && n <= high) return std::nullopt;
    return Text(s) + " is not " + what;
}

Fault OneOf(std::string_view s, std::string_view allowed, const char* what) {
    if (s.size() == 1 && allowed.find(s[0]) != std::string_view::npos) return std::nullopt;
    return Text(s) + " is not " + what;
}

Fault Time(std::string_view s) {
    if (Number(s.substr(0, 2)) <= 23 && Number(s.substr(2, 2)) <= 59) return std::nullopt;
    return Text(s) + " is not a time of day";
}

Fault PercentEncoding(std::string_view s) {
    auto isHex = [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && (i + 2 >= s.size() || !isHex(s[i + 1]) || !isHex(s[i + 2]))) {
            return "'%' at position " + std::to_string(i + 1) + " is not followed by two hexadecimal digits";
        }
    }
    return std::nullopt;
}

Fault PieceOfTotal(std::string_view s) {
    const int piece = Number(s.substr(0, 2));
    const int total = Number(s.substr(2, 2));
    if (piece >= 1 && total >= 1 && piece <= total) return std::nullopt;
    return "piece " + std::to_string(piece) + " of " + std::to_string(total) + " is not possible";
}

Fault PositionInSequence(std::string_view s) {
    if (s.size() == 3 && s[1] == '/' && s[0] >= '1' && s[0] <= '9' && s[2] >= '1' && s[2] <= '9' && s[0] <= s[2]) {
        return std::nullopt;
    }
    return Text(s) + " is not a position in a sequence such as 1/2";
}

// ISO 13616: country, two check digits, then the account; moved to the end,
// letters as 10..35, the whole is 1 modulo 97.
Fault Iban(std::string_view s) {
    auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    bool shaped = s.size() >= 5 && isUpper(s[0]) && isUpper(s[1]) && IsDigit(s[2]) && IsDigit(s[3]) &&
                  IsCountryAlpha2(s.substr(0, 2));
    for (char c : s) shaped = shaped && (IsDigit(c) || isUpper(c));
    if (!shaped) return Text(s) + " is not an IBAN";
    uint32_t remainder = 0;
    const std::string rotated = std::string(s.substr(4)) + std::string(s.substr(0, 4));
    for (char c : rotated) {
        const uint32_t value = IsDigit(c) ? static_cast<uint32_t>(c - '0') : static_cast<uint32_t>(c - 'A' + 10);
        remainder = (remainder * (value < 10 ? 10 : 100) + value) % 97;
    }
    if (remainder == 1) return std::nullopt;
    return "IBAN " + Text(s) + " has wrong check digits";
}

// Coupon position offer: format 0 or 1, funder (VLI 0-6, then 6 + VLI
// digits), offer code (6 digits), serial (VLI 0-9, then 6 + VLI digits).
Fault CouponPositionOffer(std::string_view s) {
    size_t at = 0;
    auto take = [&](size_t n) -> std::optional<std::string_view> {
        if (at + n > s.size() || !AllDigits(s.substr(at, n))) return std::nullopt;
        at += n;
        return s.substr(at - n, n);
    };
    const auto format = take(1);
    const auto funderLength = format && *format <= "1" ? take(1) : std::nullopt;
    const auto funder = funderLength && *funderLength <= "6" ? take(6 + static_cast<size_t>(Number(*funderLength)))
                                                           : std::nullopt;
    const auto offer = funder ? take(6) : std::nullopt;
    const auto serialLength = offer ? take(1) : std::nullopt;
    const auto serial = serialLength ? take(6 + static_cast<size_t>(Number(*serialLength))) : std::nullopt;
    if (serial && at == s.size()) return std::nullopt;
    return Text(s) + " is not a coupon position offer (format, funder, offer code, serial number)";
}

// The North American coupon code: a fixed head (company prefix, offer code,
// save value, primary purchase requirement and family), then optional
// fields, each after its indicator digit, in increasing order of indicator.
// Lengths come from variable length indicators (VLI) with their own ranges.
class CouponReader {
public:
    explicit CouponReader(std::string_view s) : s_(s) {}

    bool AtEnd() const { return at_ == s_.size(); }
    // n digits, or nothing when fewer are left.
    std::optional<std::string_view> Take(size_t n) {
        if (!ok_ || at_ + n > s_.size()) return Fail();
        at_ += n;
        return s_.substr(at_ - n, n);
    }
    // One digit among allowed.
    std::optional<int> Digit(std::string_view allowed) {
        const auto d = Take(1);
        if (!d || allowed.find((*d)[0]) == std::string_view::npos) return Fail<int>();
        return (*d)[0] - '0';
    }
    // A VLI among allowed, then base + VLI digits (none when the VLI is 9 and
    // nineMeansNone).
    void Sized(std::string_view allowed, size_t base, bool nineMeansNone = false) {
        const auto vli = Digit(allowed);
        if (vli && !(nineMeansNone && *vli == 9)) Take(base + static_cast<size_t>(*vli));
    }
    std::optional<std::string_view> DateField() {
        const auto date = Take(6);
        if (date && Date(*date, false, false)) return Fail();
        return date;
    }
    bool ok() const { return ok_; }

private:
    template <class T = std::string_view>
    std::optional<T> Fail() {
        ok_ = false;
        return std::nullopt;
    }
    std::string_view s_;
    size_t at_ = 0;
    bool ok_ = true;
};

Fault CouponCode(std::string_view s) {
    const Fault fault = Text(s) + " is not a coupon code (company prefix, offer code, save value, purchase "
                                  "requirement and family, then optional fields 1 to 6 and 9 in order)";
    if (!AllDigits(s)) return fault;
    CouponReader r(s);
    r.Sized("0123456", 6);  // primary company prefix
    r.Take(6);              // offer code
    r.Sized("12345", 0);    // save value
    r.Sized("12345", 0);    // primary purchase requirement
    r.Digit("012349");      // its code
    r.Take(3);              // primary purchase family code
    int last = 0;
    std::optional<std::string_view> expiration;
    while (r.ok() && !r.AtEnd()) {
        const auto field = r.Digit("1234569");
        if (!field || *field <= last) return fault;
        last = *field;
        switch (*field) {
            case 1:  // second qualifying purchase
                r.Digit("0123");
                [[fallthrough]];
            case 2:  // (second or) third qualifying purchase
                r.Sized("12345", 0);
                r.Digit("012349");
                r.Take(3);
                r.Sized("01234569", 6, true);
                break;
            case 3:  // expiration date
                expiration = r.DateField();
                break;
            case 4: {  // start date: not after the expiration date (YYMMDD compares as text)
                const auto start = r.DateField();
                if (start && expiration && *start > *expiration) {
                    return Text(s) + " starts (" + std::string(*start) + ") after it expires (" +
                           std::string(*expiration) + ")";
                }
                break;
            }
            case 5:  // serial number
                r.Sized("0123456789", 6);
                break;
            case 6:  // retailer company prefix or GLN
                r.Sized("1234567", 6);
                break;
            default:  // 9: save value code, applies to item, store coupon, do not multiply
                r.Digit("01256");
                r.Digit("012");
                r.Take(1);
                r.Digit("01");
                break;
        }
    }
    if (r.ok() && r.AtEnd()) return std::nullopt;
    return fault;
}

}  // namespace

std::optional<std::string> Lint(Linter linter, std::string_view s) {
    switch (linter) {
        case Linter::none:
            return std::nullopt;
        case Linter::csum:
            return CheckDigit(s);
        case Linter::csumalpha:
            return CheckPair(s);
        case Linter::gcppos1:
            return CompanyPrefixAt(s, 0);
        case Linter::gcppos2:
            return CompanyPrefixAt(s, 1);
        case Linter::hasnondigit:
            if (AllDigits(s)) return Text(s) + " must contain a character that is not a digit";
            return std::nullopt;
        case Linter::nozeroprefix:
            if (s.size() > 1 && s[0] == '0') return Text(s) + " must not begin with 0";
            return std::nullopt;
        case Linter::nonzero:
            if (Number(s) == 0) return Text(s) + " must not be zero";
            return std::nullopt;
        case Linter::zero:
            return OneOf(s, "0", "0");
        case Linter::yesno:
            return OneOf(s, "01", "0 (no) or 1 (yes)");
        case Linter::winding:
            return OneOf(s, "019", "a winding direction (0, 1 or 9)");
        case Linter::iso5218:
            return OneOf(s, "0129", "a sex code (0, 1, 2 or 9)");
        case Linter::hyphen:
            return OneOf(s, "-", "'-'");
        case Linter::pieceoftotal:
            return PieceOfTotal(s);
        case Linter::iso3166:
            if (IsCountryNumeric(s)) return std::nullopt;
            return Text(s) + " is not an ISO 3166 country code";
        case Linter::iso3166999:
            if (s == "999" || IsCountryNumeric(s)) return std::nullopt;
            return Text(s) + " is not an ISO 3166 country code or 999";
        case Linter::iso3166alpha2:
            if (IsCountryAlpha2(s)) return std::nullopt;
            return Text(s) + " is not an ISO 3166 two-letter country code";
        case Linter::iso4217:
            if (IsCurrencyNumeric(s)) return std::nullopt;
            return Text(s) + " is not an ISO 4217 currency code";
        case Linter::iban:
            return Iban(s);
        case Linter::yymmdd:
            return Date(s, false, false);
        case Linter::yymmd0:
            return Date(s, false, true);
        case Linter::yyyymmdd:
            return Date(s, true, false);
        case Linter::hhmi:
            return Time(s);
        case Linter::hh:
            return InRange(s, 0, 23, "an hour (00 to 23)");
        case Linter::mi:
            return InRange(s, 0, 59, "a minute (00 to 59)");
        case Linter::ss:
            return InRange(s, 0, 59, "a second (00 to 59)");
        case Linter::latitude:
            if (s <= std::string_view("1800000000")) return std::nullopt;
            return Text(s) + " is not a latitude (0000000000 to 1800000000)";
        case Linter::longitude:
            if (s <= std::string_view("3600000000")) return std::nullopt;
            return Text(s) + " is not a longitude (0000000000 to 3600000000)";
        case Linter::mediatype:
            if ((Number(s) >= 1 && Number(s) <= 10) || Number(s) >= 80) return std::nullopt;
            return Text(s) + " is not a media type (01 to 10, 80 to 99)";
        case Linter::posinseqslash:
            return PositionInSequence(s);
        case Linter::importeridx:
            if (s.size() == 1 && (IsDigit(s[0]) || (s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z') ||
                                  s[0] == '-' || s[0] == '_')) {
                return std::nullopt;
            }
            return Text(s) + " is not an importer index";
        case Linter::pcenc:
            return PercentEncoding(s);
        case Linter::couponposoffer:
            return CouponPositionOffer(s);
        case Linter::packagetype:
            if (IsPackageType(s)) return std::nullopt;
            return Text(s) + " is not a package type code";
        case Linter::couponcode:
            return CouponCode(s);
    }
    return std::nullopt;
}

}  // namespace quillant::gs1
