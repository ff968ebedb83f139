#include <gtest/gtest.h>

#include <string>

#include "editor/file_import.h"
#include "editor/url_file.h"
#include "core/text.h"
#include "launch/launcher.h"

using namespace vorlix;

namespace {

// The address found when the file's bytes come in steps of the given size.
std::u16string addressInSteps(const std::string& file, std::size_t step, std::size_t* taken = nullptr) {
    UrlLineFinder finder;
    std::size_t at = 0;
    while (at < file.size()) {
        const std::string_view bytes = std::string_view(file).substr(at, step);
        at += bytes.size();
        if (!finder.take(bytes)) break;
    }
    if (taken) *taken = at;
    return addressOfUrlFile(finder.finish());
}

} // namespace

TEST(UrlLineFinder, FindsTheAddressLineWhateverTheStepsAndRefusesOverlongOnes) {
    const std::string longest(MaxStartChars - 1, 'a');
    struct Row {
        const char* name;
        std::string bytes;
        std::u16string address;
    };
    const Row rows[] = {
        {"the usual file", "[InternetShortcut]\r\nURL=http://a.example/\r\nIconIndex=0\r\n", u"http://a.example/"},
        {"lower case is no address line", "url=http://a.example/\r\nURL=y", u"y"},
        {"spaces around the line go", "   URL= http://a.example/  \n", u" http://a.example/"},
        {"CR alone ends a line", "X=1\rURL=first\rURL=second", u"first"},
        {"UTF-8 text", "URL=http://caf\xC3\xA9.example/\r\n", u"http://caf\u00E9.example/"},
        {"no address line", "[InternetShortcut]\r\n", u""},
        {"the longest address that can start", "URL=" + longest + "\r\n", std::u16string(longest.begin(), longest.end())},
        {"one character more is no address", "URL=" + longest + "a\r\nURL=later\r\n", u""},
        {"a huge other line is passed over", std::string(300000, 'x') + "\nURL=after\n", u"after"},
        {"a huge address line without a break", "URL=" + std::string(300000, 'x'), u""},
    };
    for (const Row& row : rows)
        for (std::size_t step : {std::size_t{1}, std::size_t{7}, std::size_t{65536}})
            EXPECT_EQ(toUtf8(addressInSteps(row.bytes, step)), toUtf8(row.address)) << row.name << ", steps of " << step;
}

TEST(UrlLineFinder, StopsReadingAtAnAddressLineTooLongToHold) {
    const std::string huge = "[InternetShortcut]\r\nURL=" + std::string(50u << 20, 'x');
    std::size_t taken = 0;
    EXPECT_EQ(addressInSteps(huge, 65536, &taken), u"");
    EXPECT_LT(taken, 512u * 1024) << "of " << huge.size() << " bytes";
}
