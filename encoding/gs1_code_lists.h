#pragma once
// Code lists the GS1 linters check against: ISO 3166-1 countries (numeric
// and alpha-2) and ISO 4217 currencies (numeric), as assigned today, and
// GS1's package types, UN/ECE Recommendation 21's and GS1's additions to them
// (gs1_package_types.cpp, generated).

#include <string_view>

namespace quillant::gs1 {

bool IsCountryNumeric(std::string_view threeDigits);
bool IsCountryAlpha2(std::string_view twoLetters);
bool IsCurrencyNumeric(std::string_view threeDigits);
bool IsPackageType(std::string_view code);

}  // namespace quillant::gs1
