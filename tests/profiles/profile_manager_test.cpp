// Player profiles: the scrambled file form, the folder scan with its damaged and foreign files,
// key access with and without a current profile, and creating, renaming, deleting and
// selecting profiles without ever losing or exposing another file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "profiles/profile_fixtures.h"
#include "support/game_fixtures.h"

using namespace profile_test;
using test_support::Output;

namespace {

class Profiles : public testing::Test {
 protected:
  void SetUp() override { GetDataFolders(); }
  // Makes the global manager over the folder as it is now.
  void Scan() { profile = TProfileManager::Create(Folder(), "dat"); }
  // A listed profile of this portal with the given extra key lines.
  static void WriteProfile(const std::string& name, const std::string& keys = "") {
    WriteRaw(name + ".dat", Scrambled(ProfileText("Mirethorn", keys)));
  }
};

}  // namespace

TEST(Scrambling, EveryByteAtEveryPositionComesBackAndTheMultiplierCycles) {
  for (size_t position = 0; position <= 20; ++position) {
    for (int b = 0; b < 256; ++b) {
      std::vector<uint8_t> plain(position + 1, 'x');
      plain[position] = static_cast<uint8_t>(b);
      const std::vector<uint8_t> scrambled = ScrambleProfileBytes(plain);
      ASSERT_EQ(scrambled.size(), plain.size() * 4);
      const size_t at = position * 4;
      const uint32_t value = scrambled[at] | (scrambled[at + 1] << 8) |
                             (scrambled[at + 2] << 16) | (uint32_t(scrambled[at + 3]) << 24);
      ASSERT_EQ(value, static_cast<uint32_t>(b) * ((position % 10) + 1)) << position << " " << b;
      std::vector<uint8_t> back;
      ASSERT_TRUE(UnscrambleProfileBytes(scrambled, back));
      ASSERT_EQ(back, plain) << position << " " << b;
    }
  }
}

TEST(Scrambling, AbcAndAnEmptyText) {
  const std::vector<uint8_t> abc = {0x61, 0, 0, 0, 0xC4, 0, 0, 0, 0x29, 0x01, 0, 0};
  EXPECT_EQ(ScrambleProfileBytes(Bytes("abc")), abc);
  std::vector<uint8_t> back;
  EXPECT_TRUE(UnscrambleProfileBytes(abc, back));
  EXPECT_EQ(back, Bytes("abc"));
  EXPECT_TRUE(ScrambleProfileBytes({}).empty());
  EXPECT_TRUE(UnscrambleProfileBytes({}, back));
  EXPECT_TRUE(back.empty());
  // Signed integers divided with truncation, low 8 bits kept: -300 / 1 is 0xD4, and a value
  // far out of range still gives a byte.
  EXPECT_TRUE(UnscrambleProfileBytes({0xD4, 0xFE, 0xFF, 0xFF, 0, 0, 0, 0x80}, back));
  EXPECT_EQ(back, (std::vector<uint8_t>{0xD4, 0x00}));
  EXPECT_FALSE(UnscrambleProfileBytes({1, 0, 0, 0, 7}, back));
}

TEST_F(Profiles, EncryptAndDecryptFileWorkInPlaceAndRefuseACutFile) {
  WriteRaw("a.txt", Bytes("abc"));
  EXPECT_TRUE(EncryptFile(Folder() + "/a.txt"));
  EXPECT_EQ(ReadRaw("a.txt"), Scrambled("abc"));
  EXPECT_TRUE(DecryptFile(Folder() + "/a.txt"));
  EXPECT_EQ(ReadRaw("a.txt"), Bytes("abc"));
  WriteRaw("cut.txt", {1, 0, 0, 0, 9});
  const std::string out = Output([] { EXPECT_FALSE(DecryptFile(Folder() + "/cut.txt")); });
  EXPECT_NE(out.find("cut.txt"), std::string::npos) << out;
  EXPECT_EQ(ReadRaw("cut.txt"), (std::vector<uint8_t>{1, 0, 0, 0, 9}));
  EXPECT_EQ(LoadDir(Folder()), (std::vector<std::string>{"a.txt", "cut.txt"}));
}

TEST_F(Profiles, ScanListsOnlyReadableProfilesOfThisPortalAndTouchesNoOtherFile) {
  WriteProfile("bert");
  WriteProfile("anna", "\tlevel=3\n");
  // Out-of-range integers that still divide to the right bytes: read as the Part reads them.
  std::vector<uint8_t> wide = Scrambled(ProfileText("Mirethorn"));
  for (size_t i = 0; i < wide.size(); i += 4) wide[i + 2] = static_cast<uint8_t>((i / 4 % 10) + 1);
  WriteRaw("carl.dat", wide);
  WriteRaw("temp", Scrambled(ProfileText("Mirethorn")));
  WriteRaw("notes.txt", Scrambled(ProfileText("Mirethorn")));
  WriteRaw("upper.DAT", Scrambled(ProfileText("Mirethorn")));
  WriteRaw("empty.dat", {});
  WriteRaw("foreign.dat", Scrambled(ProfileText("Elsewhere")));
  WriteRaw("noportal.dat", Scrambled("Profile{\n\tlevel=1\n}\n"));
  WriteRaw("plain.dat", Bytes(ProfileText("Mirethorn")));
  std::vector<uint8_t> cut = Scrambled(ProfileText("Mirethorn"));
  cut.push_back(0);
  WriteRaw("cut.dat", cut);
  std::vector<uint8_t> broken = Scrambled(ProfileText("Mirethorn"));
  broken.resize(broken.size() - 8);  // the closing brace and line end are gone
  WriteRaw("broken.dat", broken);
  const auto before = FolderContent();

  for (int start = 0; start < 2; ++start) {  // and on any later start too
    const std::string out = Output([this] { Scan(); });
    EXPECT_EQ(Names(profile->GetProfilesList()),
              (std::vector<String>{u"anna", u"bert", u"carl"}));
    EXPECT_EQ(profile->current->name, u"anna");
    EXPECT_EQ(profile->GetNumber(u"level"), 3);
    EXPECT_EQ(profile->portalName, kPortal);
    EXPECT_NE(out.find("Mirethorn\n"), std::string::npos) << out;
    for (const char* name : {"plain.dat", "cut.dat", "broken.dat"})
      EXPECT_NE(out.find(std::string("21\nThe profile ") + Folder() + "/" + name),
                std::string::npos)
          << name << "\n" << out;
    EXPECT_EQ(out.find("empty.dat"), std::string::npos) << out;
    EXPECT_EQ(FolderContent(), before);
  }
}

TEST_F(Profiles, AFolderThatCannotBeListedStopsTheProgram) {
  ASSERT_TRUE(DeleteDir(Folder(), true));
  try {
    Scan();
    FAIL() << "the scan went on";
  } catch (const FrameworkError& error) {
    EXPECT_STREQ(error.what(), "Failed to read profiles directory");
  }
}

TEST_F(Profiles, WithoutACurrentProfileGettersAnswerDefaultsAndSettersWriteNothing) {
  Scan();
  ASSERT_FALSE(profile->current);
  profile->SetNumber(u"level", 4, 1);
  profile->SetString(u"name", u"x", 1);
  profile->SetList(u"items", ListOf({u"a"}), 1);
  EXPECT_FALSE(profile->SaveProfile());
  EXPECT_EQ(profile->GetNumber(u"level"), 0);
  EXPECT_EQ(profile->GetString(u"name"), u"0");
  EXPECT_EQ(profile->GetList(u"items"), nullptr);
  EXPECT_TRUE(LoadDir(Folder()).empty());
}

TEST_F(Profiles, KeysOfTheCurrentProfile) {
  WriteProfile("anna", "\tbig=3000000000\n\tsmall=-3000000000\n\tcut=-2.9\n");
  Scan();
  profile->SetNumber(u"points", 20000001, 0);
  profile->SetString(u"revealed", u"level_01.tsc", 0);
  EXPECT_EQ(profile->GetNumber(u"points"), 20000000);  // through single precision
  EXPECT_EQ(profile->GetString(u"revealed"), u"level_01.tsc");
  // Numbers beyond the int range are held at its ends; fractions are cut toward zero.
  EXPECT_EQ(profile->GetNumber(u"big"), INT32_MAX);
  EXPECT_EQ(profile->GetNumber(u"small"), INT32_MIN);
  EXPECT_EQ(profile->GetNumber(u"cut"), -2);
  // A missing key: the store's message for numbers and strings, silence for lists.
  EXPECT_EQ(Output([] { EXPECT_EQ(profile->GetString(u"nope"), u""); }),
            "The key Profile::nope does not exist\n");
  EXPECT_EQ(Output([] { EXPECT_EQ(profile->GetNumber(u"nope"), 0); }),
            "The key Profile::nope does not exist\n");
  EXPECT_EQ(Output([] { EXPECT_TRUE(Names(profile->GetList(u"nope")).empty()); }), "");
  // Nothing reaches the file without a save.
  EXPECT_EQ(PlainText("anna.dat").find("points"), std::string::npos);
  EXPECT_TRUE(profile->SaveProfile());
  EXPECT_NE(PlainText("anna.dat").find("\tpoints=20000000.0\n"), std::string::npos);
}

TEST_F(Profiles, ListsReplaceTheirKeyByExactName) {
  WriteProfile("anna", "\tSeen=\"keep\"\n");
  Scan();
  profile->SetList(u"seen", ListOf({u"1", u"2", u"3", u"4", u"5"}), 0);
  profile->SetList(u"seen", ListOf({u"a", u"b", u"c"}), 1);
  EXPECT_EQ(Names(profile->GetList(u"seen")), (std::vector<String>{u"a", u"b", u"c"}));
  EXPECT_EQ(Names(profile->GetList(u"Seen")), (std::vector<String>{u"keep"}));
  EXPECT_EQ(PlainText("anna.dat"),
            ProfileText("Mirethorn", "\tSeen=\"keep\"\n\tseen=\"a\",\"b\",\"c\"\n"));
  profile->SetList(u"seen", CreateList<String>(), 1);
  EXPECT_TRUE(Names(profile->GetList(u"seen")).empty());
  EXPECT_EQ(PlainText("anna.dat"), ProfileText("Mirethorn", "\tSeen=\"keep\"\n"));
  // A key holds at most 1000 values.
  auto many = CreateList<String>();
  for (int i = 0; i < 1005; ++i) many->AddLast(FromInt(i));
  profile->SetList(u"many", many, 0);
  EXPECT_EQ(profile->GetList(u"many")->Count(), 1000);
  EXPECT_EQ(profile->GetList(u"many")->Last(), u"999");
}

TEST_F(Profiles, NewRenameDeleteAndSelect) {
  Scan();
  EXPECT_EQ(profile->NewProfile(u"bert"), 1);
  EXPECT_EQ(profile->current->name, u"bert");
  EXPECT_EQ(PlainText("bert.dat"), ProfileText("Mirethorn"));
  EXPECT_EQ(profile->NewProfile(u"anna"), 1);
  EXPECT_EQ(profile->current->name, u"anna");
  EXPECT_EQ(profile->NewProfile(u"anna"), -1);
  profile->SetNumber(u"level", 5, 1);

  EXPECT_EQ(profile->SelectProfile(u"bert"), 1);
  EXPECT_EQ(profile->SelectProfile(u"Anna"), 0);
  EXPECT_EQ(profile->current->name, u"bert");

  // A rename keeps the content, moves the file, and scans (the first profile is current).
  EXPECT_EQ(profile->RenameProfile(u"anna", u"zoe"), 1);
  EXPECT_EQ(LoadDir(Folder()), (std::vector<std::string>{"bert.dat", "zoe.dat"}));
  EXPECT_EQ(profile->current->name, u"bert");
  ASSERT_EQ(profile->SelectProfile(u"zoe"), 1);
  EXPECT_EQ(profile->GetNumber(u"level"), 5);
  // Another letter case of its own name is allowed.
  EXPECT_EQ(profile->RenameProfile(u"zoe", u"Zoe"), 1);
  EXPECT_EQ(LoadDir(Folder()), (std::vector<std::string>{"Zoe.dat", "bert.dat"}));
  EXPECT_EQ(profile->RenameProfile(u"nobody", u"x"), 0);

  // Deleting the current profile makes the first remaining one current.
  EXPECT_EQ(profile->current->name, u"Zoe");
  EXPECT_EQ(profile->DeleteProfile(u"Zoe"), 1);
  EXPECT_EQ(Names(profile->GetProfilesList()), std::vector<String>{u"bert"});
  EXPECT_EQ(profile->current->name, u"bert");
  EXPECT_EQ(profile->DeleteProfile(u"Zoe"), 0);
  EXPECT_EQ(LoadDir(Folder()), std::vector<std::string>{"bert.dat"});
}

TEST_F(Profiles, NamesThatWouldLeaveTheFolderOrTakeAnotherFileAreRefused) {
  WriteProfile("anna");
  WriteProfile("bob");
  WriteRaw("zed.dat", Scrambled(ProfileText("Elsewhere")));
  WriteRaw("damaged.dat", Bytes("plain text"));
  WriteRaw("blank.dat", {});
  Scan();
  const auto before = FolderContent();
  struct Case {
    const char16_t* name;
    int32_t created;  // by NewProfile; a rename of anna to it is refused unless it is anna
    const char* why;
  };
  const Case cases[] = {
      {u"", 0, "empty"},
      {u".", 0, "the folder itself"},
      {u"..", 0, "the parent folder"},
      {u".hidden", 0, "starts with a dot"},
      {u"a/b", 0, "a separator"},
      {u"a\\b", 0, "a backslash separator"},
      {u"a\tb", 0, "a control character"},
      {u"a\u012Fb", 0, "a unit whose low byte is a separator"},
      {u"Bob", -1, "bob.dat in another letter case"},
      {u"anna", -1, "a listed profile"},
      {u"zed", -1, "a profile of another portal"},
      {u"DAMAGED", -1, "a damaged profile"},
      {u"blank", -1, "an empty file"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile->NewProfile(c.name), c.created) << c.why;
    EXPECT_EQ(profile->RenameProfile(u"anna", c.name), String(c.name) == u"anna" ? 1 : 0) << c.why;
    EXPECT_EQ(FolderContent(), before) << c.why;
  }
  // Every name the profile screen can give passes.
  for (const char16_t* name : {u"carl", u"bob smith", u"ab 1 ", u"x9"}) {
    EXPECT_EQ(profile->NewProfile(name), 1) << ToUtf8(name);
  }
}

TEST_F(Profiles, SavesLeaveOnlyScrambledProfilesAndAFailedSaveKeepsTheOldFile) {
  Scan();
  ASSERT_EQ(profile->NewProfile(u"anna"), 1);
  for (int i = 0; i < 5; ++i) profile->SetNumber(u"level", i, 1);
  profile->SetString(u"name", u"x", 1);
  profile->SetList(u"items", ListOf({u"1:2:3"}), 1);
  EXPECT_EQ(LoadDir(Folder()), std::vector<std::string>{"anna.dat"});
  EXPECT_EQ(PlainText("anna.dat"),
            ProfileText("Mirethorn", "\tlevel=4.00000000\n\tname=\"x\"\n\titems=\"1:2:3\"\n"));

  // A file name so long that no temporary file can sit beside it: the write fails for every
  // user, root included.
  const std::string longName(247, 'n');
  WriteProfile(longName);
  Scan();
  ASSERT_EQ(profile->SelectProfile(FromPath(longName)), 1);
  const auto before = FolderContent();
  const std::string out = Output([] { profile->SetNumber(u"level", 9, 1); });
  EXPECT_NE(out.find("could not be written"), std::string::npos) << out;
  EXPECT_FALSE(profile->SaveProfile());
  EXPECT_EQ(FolderContent(), before);
}
