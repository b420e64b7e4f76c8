// The element strings of tests/encoding/data/gs1_corpus.tsv against the check
// one GS1-128 symbol gets. scripts/gs1_corpus.py writes them from the GS1
// dictionary with its own reading of it and of the linters, sharing nothing
// with the AI table or the checks here, so a fault in either shows up as a
// valid string refused or an invalid one accepted.

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <string>

#include "encoding/gs1_element_string.h"
#include "encoding/vb_error.h"

namespace quillant {
namespace {

TEST(Gs1Corpus, ValidStringsEncodeAndInvalidOnesAreRefused) {
    std::ifstream corpus(QUILLANT_GS1_CORPUS, std::ios::binary);
    ASSERT_TRUE(corpus) << "cannot read " << QUILLANT_GS1_CORPUS;
    size_t valid = 0, accepted = 0, invalid = 0, refused = 0;
    std::string mismatches;
    std::string line;
    for (size_t number = 1; std::getline(corpus, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        const size_t reasonTab = line.find('\t', tab + 1);
        ASSERT_NE(reasonTab, std::string::npos) << "line " << number << " has fewer than three fields";
        const std::string verdict = line.substr(0, tab);
        ASSERT_TRUE(verdict == "valid" || verdict == "invalid") << "line " << number << ": " << verdict;
        const std::string elements = line.substr(tab + 1, reasonTab - tab - 1);
        std::u16string wide;
        for (char c : elements) {
            ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "line " << number << " is not ASCII";
            wide += static_cast<char16_t>(c);
        }

        std::string fault;
        try {
            ParseGs1(wide);
        } catch (const VbError& e) {
            fault = e.description();
        }
        const bool expectValid = verdict == "valid";
        (expectValid ? valid : invalid) += 1;
        if (expectValid == fault.empty()) {
            (expectValid ? accepted : refused) += 1;
        } else {
            mismatches += "line " + std::to_string(number) + ", " + line.substr(reasonTab + 1) + ": " + elements +
                          (expectValid ? " refused: " + fault : " accepted") + "\n";
        }
    }
    std::cout << "GS1 corpus: valid accepted " << accepted << "/" << valid << ", invalid refused " << refused << "/"
              << invalid << "\n";
    EXPECT_GT(valid, 0u);
    EXPECT_GT(invalid, 0u);
    EXPECT_TRUE(mismatches.empty()) << mismatches;
}

}  // namespace
}  // namespace quillant
