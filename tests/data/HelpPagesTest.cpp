// The help pages: the pages of the topics the programs open exist, every page
// is UTF-8 HTML that says so, every link and picture leads to a shipped file,
// and every page can be reached from the contents page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path helpDir = fs::path(ZENTAVO_SOURCE_DIR) / "data" / "help";

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t more = c < 0x80         ? 0
                                 : (c >> 5) == 6  ? 1
                                 : (c >> 4) == 14 ? 2
                                 : (c >> 3) == 30 ? 3
                                                  : 9;
        if (more == 9 || i + more >= s.size() + (more == 0 ? 1 : 0))
            return false;
        for (std::size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += 1 + more;
    }
    return true;
}

// Local targets of href and src attributes, without fragments; outside
// addresses are left out.
std::vector<std::string> localTargets(const std::string& html) {
    static const std::regex attribute(R"re((?:href|src)\s*=\s*"([^"]*)")re");
    std::vector<std::string> targets;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute);
         it != std::sregex_iterator(); ++it) {
        std::string target = (*it)[1];
        if (target.rfind("http", 0) == 0 || target.rfind("mailto:", 0) == 0)
            continue;
        target = target.substr(0, target.find('#'));
        if (!target.empty())
            targets.push_back(target);
    }
    return targets;
}

std::vector<fs::path> pages() {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(helpDir))
        if (entry.path().extension() == ".html")
            found.push_back(entry.path());
    return found;
}

TEST(HelpPages, TopicPagesExist) {
    // Topic 0: the contents; 1000: the editor; 1001: the Italian layout.
    for (const char* page : {"index.html", "1000.html", "1001.html", "style.css", "README"})
        EXPECT_TRUE(fs::is_regular_file(helpDir / page)) << page;
}

TEST(HelpPages, AreUtf8HtmlWithTitleAndSharedStyle) {
    const std::vector<fs::path> all = pages();
    ASSERT_GE(all.size(), 9u);
    for (const fs::path& page : all) {
        SCOPED_TRACE(page.filename().string());
        const std::string html = readText(page);
        EXPECT_TRUE(validUtf8(html));
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_NE(html.find("<title>"), std::string::npos);
        EXPECT_NE(html.find("href=\"style.css\""), std::string::npos);
        EXPECT_NE(html.find("lang=\"it\""), std::string::npos);
    }
}

TEST(HelpPages, EveryLinkAndPictureIsShipped) {
    for (const fs::path& page : pages())
        for (const std::string& target : localTargets(readText(page)))
            EXPECT_TRUE(fs::is_regular_file(helpDir / target))
                << page.filename().string() << " -> " << target;
}

TEST(HelpPages, EveryPageIsReachableFromTheContents) {
    std::set<std::string> reached{"index.html"};
    std::vector<std::string> queue{"index.html"};
    while (!queue.empty()) {
        const std::string page = queue.back();
        queue.pop_back();
        for (const std::string& target : localTargets(readText(helpDir / page)))
            if (target.size() > 5 && target.substr(target.size() - 5) == ".html" &&
                reached.insert(target).second)
                queue.push_back(target);
    }
    for (const fs::path& page : pages())
        EXPECT_TRUE(reached.count(page.filename().string())) << page.filename().string();
}

TEST(HelpPages, LinkFinderSkipsOutsideAddressesAndFragments) {
    const std::string html = R"(<a href="a.html#x">a</a> <img src="img/b.png">)"
                             R"(<a href="https://example.org/">w</a> <a href="mailto:x@y.z">m</a>)";
    EXPECT_EQ(localTargets(html), (std::vector<std::string>{"a.html", "img/b.png"}));
    EXPECT_TRUE(validUtf8("perch\xC3\xA9"));
    EXPECT_FALSE(validUtf8("perch\xE9"));
}

} // namespace
