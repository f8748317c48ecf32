#include "HistoryTestSupport.h"

#include "history/HistoryDatabase.h"

#include <gtest/gtest.h>

namespace {

PupilId IdOf(const HistoryStore& store, const std::string& name) {
    for (const PupilInfo& p : store.Pupils()) {
        if (p.name == name)
            return p.id;
    }
    ADD_FAILURE() << "no pupil " << name;
    return 0;
}

struct FirstPupilCase {
    const char* name;
    std::string account;
    std::string pupil;
};

class HistoryFirstPupil : public ::testing::TestWithParam<FirstPupilCase> {};

TEST_P(HistoryFirstPupil, IsNamedAfterTheAccount) {
    TempFolder folder;
    HistoryStore store;
    ASSERT_EQ(store.Open(HistoryFile(folder), GetParam().account), StoreStatus::Ok);
    const std::vector<PupilInfo> pupils = store.Pupils();
    ASSERT_EQ(pupils.size(), 1u);
    EXPECT_EQ(pupils[0].name, GetParam().pupil);
    EXPECT_EQ(pupils[0].className, "");
    EXPECT_EQ(store.CurrentPupil(), pupils[0].id);
}

INSTANTIATE_TEST_SUITE_P(Accounts, HistoryFirstPupil,
                         ::testing::Values(FirstPupilCase{"Plain", "giulia", "giulia"},
                                           FirstPupilCase{"Accented", "Zo\xEB", "Zo\xEB"},
                                           FirstPupilCase{"Empty", "", "Alunno"},
                                           FirstPupilCase{"Blanks", "   ", "Alunno"},
                                           FirstPupilCase{"TooLong", std::string(40, 'k'),
                                                          std::string(30, 'k')}),
                         CaseName());

TEST(HistoryPupils, FirstPupilOnlyOnTheFirstStart) {
    TempFolder folder;
    {
        HistoryStore store;
        store.Open(HistoryFile(folder), "giulia");
        ASSERT_EQ(store.AddPupil("Marco", "3B"), PupilChange::Done);
        ASSERT_EQ(store.SetCurrentPupil(IdOf(store, "Marco")), PupilChange::Done);
    }
    HistoryStore store;
    ASSERT_EQ(store.Open(HistoryFile(folder), "someone else"), StoreStatus::Ok);
    EXPECT_EQ(store.Pupils().size(), 2u);
    // The last pupil chosen is remembered across runs.
    EXPECT_EQ(store.CurrentPupil(), IdOf(store, "Marco"));
    EXPECT_EQ(store.Pupil(IdOf(store, "Marco"))->className, "3B");
}

struct AddCase {
    const char* name;
    std::string pupil;
    std::string className;
    PupilChange outcome;
};

class HistoryAddPupil : public ::testing::TestWithParam<AddCase> {};

TEST_P(HistoryAddPupil, KeepsTheNameRules) {
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    ASSERT_EQ(store.AddPupil("Anna", "3B"), PupilChange::Done);
    PupilId id = -1;
    EXPECT_EQ(store.AddPupil(GetParam().pupil, GetParam().className, &id), GetParam().outcome);
    const std::size_t expected = GetParam().outcome == PupilChange::Done ? 3u : 2u;
    EXPECT_EQ(store.Pupils().size(), expected);
    if (GetParam().outcome == PupilChange::Done)
        EXPECT_TRUE(store.Pupil(id).has_value());
    else
        EXPECT_EQ(id, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HistoryAddPupil,
    ::testing::Values(
        AddCase{"Plain", "Luca", "", PupilChange::Done},
        AddCase{"Empty", "", "", PupilChange::EmptyName},
        AddCase{"OnlyBlanks", "  \t ", "3A", PupilChange::EmptyName},
        AddCase{"ThirtyCharacters", std::string(30, 'n'), "", PupilChange::Done},
        AddCase{"ThirtyOne", std::string(31, 'n'), "", PupilChange::NameTooLong},
        AddCase{"BlanksDoNotCount", "  " + std::string(30, 'n') + " ", "", PupilChange::Done},
        AddCase{"ClassTooLong", "Luca", std::string(11, 'c'), PupilChange::ClassTooLong},
        AddCase{"SameNameAndClass", "Anna", "3B", PupilChange::NameTaken},
        AddCase{"SameAfterTrimming", " Anna ", " 3B", PupilChange::NameTaken},
        AddCase{"SameNameOtherClass", "Anna", "3A", PupilChange::Done},
        AddCase{"OtherCaseIsAnotherName", "anna", "3B", PupilChange::Done}),
    CaseName());

TEST(HistoryPupils, NamesAreStoredAsUtf8AndReadBackAsWindows1252) {
    TempFolder folder;
    {
        HistoryStore store;
        store.Open(HistoryFile(folder), "giulia");
        ASSERT_EQ(store.AddPupil("Nicol\xF2", "5\xAA"), PupilChange::Done);
        EXPECT_EQ(store.Pupil(IdOf(store, "Nicol\xF2"))->className, "5\xAA");
    }
    HistoryDatabase db(HistoryFile(folder), true);
    EXPECT_EQ(db.QueryText("SELECT class_name FROM pupils WHERE name = 'Nicol\xC3\xB2'"),
              "5\xC2\xAA");
}

TEST(HistoryPupils, ListedInNameOrderWithoutRegardToCase) {
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    store.AddPupil("bruno", "");
    store.AddPupil("Andrea", "3B");
    store.AddPupil("Andrea", "3A");
    store.AddPupil("\xC8lia", ""); // È sorts after the plain letters
    std::vector<std::string> names;
    for (const PupilInfo& p : store.Pupils())
        names.push_back(p.name + "/" + p.className);
    EXPECT_EQ(names, (std::vector<std::string>{"Andrea/3A", "Andrea/3B", "bruno/", "giulia/",
                                               "\xC8lia/"}));
}

TEST(HistoryPupils, Rename) {
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    store.AddPupil("Anna", "3B");
    const PupilId giulia = IdOf(store, "giulia");
    EXPECT_EQ(store.RenamePupil(giulia, "Anna", "3B"), PupilChange::NameTaken);
    EXPECT_EQ(store.RenamePupil(giulia, "", "3B"), PupilChange::EmptyName);
    EXPECT_EQ(store.RenamePupil(9999, "Nuovo", ""), PupilChange::NoSuchPupil);
    EXPECT_EQ(store.RenamePupil(giulia, "Giulia R.", "3B"), PupilChange::Done);
    EXPECT_EQ(store.Pupil(giulia), (PupilInfo{giulia, "Giulia R.", "3B"}));
    // Renaming to its own name is no clash.
    EXPECT_EQ(store.RenamePupil(giulia, "Giulia R.", "3B"), PupilChange::Done);
}

TEST(HistoryPupils, RemovingAPupilRemovesTheHistoryOfThatPupilOnly) {
    UseRomeTime();
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    store.AddPupil("Anna", "");
    const PupilId giulia = IdOf(store, "giulia");
    const PupilId anna = IdOf(store, "Anna");
    std::vector<KeystrokeRecord> k;
    AddKeystrokes(k, 'a', 's', 3, 100);
    for (const PupilId p : {giulia, anna})
        ASSERT_EQ(store.RecordSentence(p, Sentence(At(2026, 3, 1, 9), 2.0f, 5, 3, 4), k),
                  StoreStatus::Ok);

    EXPECT_EQ(store.RemovePupil(giulia), PupilChange::Done);
    EXPECT_EQ(store.RemovePupil(giulia), PupilChange::NoSuchPupil);
    EXPECT_FALSE(store.Pupil(giulia));
    EXPECT_FALSE(store.CurrentPupil()); // giulia was current
    EXPECT_FALSE(store.Summary(giulia));
    const std::int64_t now = At(2026, 3, 2, 9);
    EXPECT_EQ(store.Figures(giulia, Period::All, now).sentences, 0);
    EXPECT_TRUE(store.PracticeProfileOf(giulia).keys.empty());
    EXPECT_EQ(store.Figures(anna, Period::All, now).sentences, 1);
    EXPECT_EQ(store.Figures(anna, Period::All, now).topConfusions.size(), 1u);

    store.Close(); // the store holds the file exclusively while open
    HistoryDatabase db(HistoryFile(folder), true);
    for (const char* table : {"sentences", "key_days", "confusion_days", "key_totals",
                              "confusion_totals", "pupil_summary"}) {
        EXPECT_EQ(db.QueryInt(std::string("SELECT COUNT(*) FROM ") + table +
                              " WHERE pupil_id = " + std::to_string(giulia)),
                  0)
            << table;
    }
}

TEST(HistoryPupils, SettingAnUnknownPupilCurrentIsRefused) {
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    const std::optional<PupilId> before = store.CurrentPupil();
    EXPECT_EQ(store.SetCurrentPupil(4242), PupilChange::NoSuchPupil);
    EXPECT_EQ(store.CurrentPupil(), before);
}

TEST(HistoryPupils, ASentenceOfAnUnknownPupilIsNotRecorded) {
    TempFolder folder;
    HistoryStore store;
    store.Open(HistoryFile(folder), "giulia");
    EXPECT_EQ(store.RecordSentence(4242, Sentence(1'700'000'000, 1.0f, 1, 0, 1), {}),
              StoreStatus::Unavailable);
    EXPECT_EQ(store.Status(), StoreStatus::Ok);
    EXPECT_TRUE(store.Summaries().size() == 1 && store.Summaries()[0].sentences == 0);
}

struct PathCase {
    const char* name;
    std::string xdgDataHome;
    std::string home;
    std::string path;
};

class HistoryDefaultPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(HistoryDefaultPath, FollowsTheDataHomeConvention) {
    EXPECT_EQ(HistoryStore::DefaultPath(GetParam().xdgDataHome, GetParam().home), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, HistoryDefaultPath,
    ::testing::Values(
        PathCase{"DataHome", "/d/data", "/home/u", "/d/data/Zentavo/history.sqlite"},
        PathCase{"DataHomeWithSlash", "/d/data/", "/home/u", "/d/data/Zentavo/history.sqlite"},
        PathCase{"HomeOnly", "", "/home/u", "/home/u/.local/share/Zentavo/history.sqlite"},
        PathCase{"RelativeDataHome", "data", "/home/u",
                 "/home/u/.local/share/Zentavo/history.sqlite"},
        PathCase{"Nothing", "", "", ""}, PathCase{"RelativeHome", "", "u", ""}),
    CaseName());

} // namespace
