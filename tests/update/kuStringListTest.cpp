#include "update/utils/kuStringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

using Texts = std::vector<std::string>;

Texts Items(const TkuStringList& list) {
    Texts items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

void AddAll(TkuStringList& list, const Texts& items) {
    for (const std::string& item : items) list.Add(item);
}

// The update's file list relies on the defaults: duplicates dropped without case,
// names and values split at the first "=".
TEST(TkuStringList, DropsDuplicatesWithoutCaseAlsoWhenAddedTogether) {
    TkuStringList list, each, together;
    AddAll(list, {"pear", "apple"});
    EXPECT_EQ(list.Add("PEAR"), 0);
    const Texts added = {"Pear", "fig", "FIG", "apple", "Straße", "STRASSE", "apple"};
    each.Add("pear");
    AddAll(each, added);
    together.Add("pear");
    together.AddStrings(added);
    EXPECT_EQ(Items(together), Items(each));
}

TEST(TkuStringList, NamesAndValuesSplitAtTheFirstSeparator) {
    for (const auto& [item, nameAndValue] :
         {std::pair{"a=b=c", "a|b=c"}, {"plain", "plain|"}, {"=v", "|v"}}) {
        TkuStringList list;
        list.Add(item);
        EXPECT_EQ(list.GetName(0) + "|" + list.GetValue(0), nameAndValue) << item;
    }
    TkuStringList list;
    AddAll(list, {"http://h/a.zip=%temp%/a.zip", "plain"});
    list.SetValue(0, "/opt/a.zip");
    list.SetValue(1, "value");  // no separator: nothing to set
    EXPECT_EQ(Items(list), (Texts{"http://h/a.zip=/opt/a.zip", "plain"}));
    EXPECT_THROW(list.Strings(2), EStringListError);
    EXPECT_THROW(list.SetValue(-1, "x"), EStringListError);
}

TEST(TkuStringList, WritesNonEmptyValuesWithCrLfOrNoFileAtAll) {
    const QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const auto read = [&](const char* name) {
        std::ostringstream content;
        content << std::ifstream(path(name), std::ios::binary).rdbuf();
        return content.str();
    };
    std::ofstream(path("queue.txt")) << "a much longer previous content than the new one\r\n";
    TkuStringList list;
    AddAll(list, {"http://h/a.zip=/opt/app/a.zip", "http://h/b.zip", "=/orphan"});
    ASSERT_TRUE(list.WriteValuesToFile(path("queue.txt")));
    EXPECT_EQ(read("queue.txt"), "/opt/app/a.zip\r\n/orphan\r\n");
    EXPECT_FALSE(list.WriteValuesToFile(path("missing-folder/queue.txt")));

    TkuStringList noValues;
    AddAll(noValues, {"http://h/a.zip", "http://h/b.zip="});
    EXPECT_FALSE(noValues.WriteValuesToFile(path("new.txt")));
    EXPECT_FALSE(std::filesystem::exists(path("new.txt")));
    EXPECT_FALSE(noValues.WriteValuesToFile(path("queue.txt")));
    EXPECT_EQ(read("queue.txt"), "/opt/app/a.zip\r\n/orphan\r\n");
}

}  // namespace
}  // namespace tessaro
