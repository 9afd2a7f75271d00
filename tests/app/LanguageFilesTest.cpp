#include "app/IniFile.h"
#include "app/TextUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace vn574::app {
namespace {

using KeyMap = std::map<std::string, std::set<std::string>>;

KeyMap keysOf(const std::string& file) {
    const std::string text = test::readFile(std::string(VN574_LANGUAGE_DIR) + "/" + file);
    KeyMap keys;
    std::istringstream lines(text);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        const std::string content = trimmed(line);
        if (content.empty()) {
            continue;
        }
        if (content.front() == '[') {
            section = content.substr(1, content.find(']') - 1);
            continue;
        }
        const auto equals = content.find('=');
        if (equals != std::string::npos) {
            keys[section].insert(trimmed(content.substr(0, equals)));
        }
    }
    return keys;
}

TEST(LanguageFiles, BothFilesHoldTheSameKeysAndEveryValueIsPresent) {
    const KeyMap english = keysOf("english.ini");
    const KeyMap chinese = keysOf("chinese.ini");
    EXPECT_EQ(english, chinese);
    for (const auto& file : {"english.ini", "chinese.ini"}) {
        const std::string path = std::string(VN574_LANGUAGE_DIR) + "/" + file;
        for (const auto& [section, keys] : english) {
            for (const auto& key : keys) {
                EXPECT_FALSE(IniFile::readString(path, section, key).empty())
                    << file << " [" << section << "] " << key;
            }
        }
    }
}

TEST(LanguageFiles, HoldEverySectionAndTheKeysTheWholeProgramUses) {
    const KeyMap english = keysOf("english.ini");
    const std::map<std::string, std::vector<std::string>> required{
        {"Menu", {"1000M", "10000", "10005", "2000M", "20004", "3000M", "30002", "4000M", "40004"}},
        {"Toolbar", {"8000", "8006"}},
        {"Channel",
         {"50000", "50014", "50015", "50016", "50019", "50020", "50021", "50022", "50023",
          "50024"}},
        {"MSG",
         {"9001", "9002", "9003", "9004", "9005", "9006", "9007", "9009", "900B", "900C", "9010",
          "9014"}},
        {"OPTION", {"60024", "60025"}},
        {"OTHERS", {"70007", "70008", "70011", "70012", "70018"}},
        {"COMMSET", {"6100C", "61002", "61003"}},
        {"RW",
         {"msg1", "msg2", "msg3", "msg4", "msgopen", "msgversion", "msgmodeltypedif", "msgbanddif",
          "rw006", "rw003", "rw004", "rw005", "RW001", "rw002", "rw008"}},
    };
    for (const auto& [section, keys] : required) {
        ASSERT_TRUE(english.count(section)) << section;
        for (const auto& key : keys) {
            EXPECT_TRUE(english.at(section).count(key)) << "[" << section << "] " << key;
        }
    }
}

TEST(LanguageFiles, ChannelWordsAreUsableInDataFiles) {
    // These words are written into channel data files between "|" separators.
    for (const auto& file : {"english.ini", "chinese.ini"}) {
        const std::string path = std::string(VN574_LANGUAGE_DIR) + "/" + file;
        for (const auto& key : {"50015", "50016", "50019", "50020", "50023", "50024"}) {
            const std::string word = IniFile::readString(path, "Channel", key);
            EXPECT_EQ(word.find('|'), std::string::npos) << file << " " << key;
            EXPECT_NE(word, "---") << file << " " << key;
            EXPECT_NE(word, "def") << file << " " << key;
        }
    }
}

} // namespace
} // namespace vn574::app
