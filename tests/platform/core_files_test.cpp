// Files, folders, streams, banks and text files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace {

std::string Home() { return test_support::TempHome(); }

void WriteRaw(const std::string& path, const std::vector<uint8_t>& bytes) {
  StreamPtr s = WriteFile(path);
  ASSERT_TRUE(s);
  WriteBytes(s, bytes.data(), static_cast<int64_t>(bytes.size()));
  CloseFile(s);
}

std::vector<uint8_t> ReadRaw(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(LoadBytes(path, bytes)) << path;
  return bytes;
}

TEST(FilesTest, BackslashesAndLetterCaseStillFindTheFile) {
  ASSERT_TRUE(CreateDir(Home() + "/Data/Sub", true));
  WriteRaw(Home() + "/Data/Sub/Runes.TSC", {'x'});

  EXPECT_EQ(ResolvePath(Home() + "\\Data\\Sub\\Runes.TSC"), Home() + "/Data/Sub/Runes.TSC");
  EXPECT_EQ(ResolvePath(Home() + "/data/SUB/runes.tsc"), Home() + "/Data/Sub/Runes.TSC");
  EXPECT_EQ(FileType(Home() + "\\DATA\\sub\\RUNES.tsc"), FILETYPE_FILE);
  EXPECT_EQ(FileType(Home() + "/data/sub"), FILETYPE_DIR);
  EXPECT_EQ(FileSize(Home() + "/DATA/SUB/runes.tsc"), 1);
  ASSERT_TRUE(ReadFile(Home() + "/data/sub/runes.tsc"));

  // Relative paths too, and a new file in a folder written with the wrong case lands in it.
  ASSERT_TRUE(ChangeDir(Home()));
  EXPECT_EQ(ResolvePath("data\\sub\\RUNES.TSC"), "Data/Sub/Runes.TSC");
  EXPECT_EQ(ResolvePath("DATA/new.txt"), "Data/new.txt");
  EXPECT_EQ(ResolvePath("nothing\\here.txt"), "nothing/here.txt");
  EXPECT_EQ(FileType("missing.txt"), FILETYPE_NONE);
  EXPECT_EQ(FileSize("missing.txt"), -1);
  EXPECT_FALSE(ReadFile("missing.txt"));
  EXPECT_FALSE(ReadFile("Data"));  // a folder is not a readable file
}

TEST(FilesTest, FoldersAreCreatedListedRenamedAndDeleted) {
  const std::string top = Home() + "/a";
  EXPECT_FALSE(CreateDir(top + "/b/c"));  // parents missing
  EXPECT_TRUE(CreateDir(top + "/b/c", true));
  EXPECT_TRUE(CreateDir(top + "/b/c", true));  // already there
  WriteRaw(top + "/b/z.dat", {1, 2});
  WriteRaw(top + "/b/y.dat", {3});
  EXPECT_EQ(LoadDir(top + "/b"), (std::vector<std::string>{"c", "y.dat", "z.dat"}));

  DirPtr dir = ReadDir(top + "/b");
  ASSERT_TRUE(dir);
  std::vector<std::string> names;
  for (std::string name = NextFile(dir); !name.empty(); name = NextFile(dir)) names.push_back(name);
  CloseDir(dir);
  EXPECT_EQ(names.size(), 5u);  // with "." and ".."
  EXPECT_FALSE(ReadDir(top + "/none"));

  EXPECT_TRUE(RenameFile(top + "/b/y.dat", top + "/b/z.dat"));  // replaces the target
  EXPECT_EQ(ReadRaw(top + "/b/z.dat"), (std::vector<uint8_t>{3}));
  EXPECT_TRUE(CopyFile(top + "/b/z.dat", top + "/copy.dat"));
  EXPECT_EQ(ReadRaw(top + "/copy.dat"), (std::vector<uint8_t>{3}));
  EXPECT_TRUE(DeleteFile(top + "/copy.dat"));
  EXPECT_FALSE(DeleteFile(top + "/copy.dat"));
  EXPECT_FALSE(DeleteFile(top + "/b"));
  EXPECT_FALSE(DeleteDir(top + "/b"));  // not empty
  EXPECT_TRUE(DeleteDir(top, true));
  EXPECT_EQ(FileType(top), FILETYPE_NONE);
  EXPECT_EQ(HomeDir(), Home());
  setenv("HOME", (Home() + "/").c_str(), 1);
  EXPECT_EQ(HomeDir(), Home());  // no trailing "/"
  setenv("HOME", Home().c_str(), 1);
}

TEST(FilesTest, RenamingToAnotherLetterCaseOfTheSameNameTakesTheNewName) {
  const std::string dir = Home() + "/profiles";
  ASSERT_TRUE(CreateDir(dir));
  WriteRaw(dir + "/bob.dat", {7});
  EXPECT_TRUE(RenameFile(dir + "/bob.dat", dir + "/Bob.dat"));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"Bob.dat"}));
  // The folder is still found by the letter-case rule; the name keeps its case as written.
  EXPECT_TRUE(RenameFile(Home() + "/PROFILES/bob.DAT", Home() + "/Profiles\\BOB.dat"));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"BOB.dat"}));
  EXPECT_EQ(ReadRaw(dir + "/BOB.dat"), (std::vector<uint8_t>{7}));
  EXPECT_TRUE(RenameFile(dir + "/BOB.dat", dir + "/BOB.dat"));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"BOB.dat"}));
}

TEST(FilesTest, PathPartsAreSplitOff) {
  struct Case {
    const char* path;
    const char* dir;
    const char* file;
    const char* ext;
    const char* stripped;
  };
  const Case cases[] = {
      {"a/b/c.png", "a/b", "c.png", "png", "a/b/c"},
      {"c.tar.gz", "", "c.tar.gz", "gz", "c.tar"},
      {"a.d/noext", "a.d", "noext", "", "a.d/noext"},
      {"/top.txt", "/", "top.txt", "txt", "/top"},
      {"gfx\\x.jpg", "gfx", "x.jpg", "jpg", "gfx\\x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractDir(c.path), c.dir) << c.path;
    EXPECT_EQ(StripDir(c.path), c.file) << c.path;
    EXPECT_EQ(ExtractExt(c.path), c.ext) << c.path;
    EXPECT_EQ(StripExt(c.path), c.stripped) << c.path;
  }
}

TEST(FilesTest, ReadsPastTheEndRaise) {
  StreamPtr s = CreateRamStream(std::vector<uint8_t>{1, 2, 3});
  EXPECT_EQ(ReadShort(s), 0x0201);
  EXPECT_THROW(ReadInt(s), FrameworkError);  // only one byte left
  SeekStream(s, 2);
  EXPECT_EQ(ReadByte(s), 3);
  EXPECT_TRUE(Eof(s));
  try {
    ReadByte(s);
    FAIL() << "no error at the end of the stream";
  } catch (const FrameworkError& e) {
    EXPECT_STREQ(e.what(), "Error reading from stream");
  }

  const std::string path = Home() + "/short.bin";
  WriteRaw(path, {9, 8});
  StreamPtr f = ReadFile(path);
  ASSERT_TRUE(f);
  EXPECT_THROW(ReadInt(f), FrameworkError);
  SeekStream(f, 100);
  EXPECT_THROW(ReadByte(f), FrameworkError);
  uint8_t buf[4];
  SeekStream(f, 0);
  EXPECT_THROW(ReadBytes(f, buf, 3), FrameworkError);
}

TEST(FilesTest, StreamsRoundTripLittleEndianValues) {
  auto check = [](const StreamPtr& s) {
    WriteInt(s, -123456789);
    WriteInt(s, 0x01020304);
    WriteShort(s, 0xBEEF);
    WriteByte(s, 0x1FF);  // the low byte
    WriteFloat(s, 2.5f);
    WriteLine(s, "line one\r");
    WriteLine(s, "two");
    EXPECT_EQ(StreamPos(s), 15 + 10 + 4);
    SeekStream(s, 0);
    EXPECT_EQ(ReadInt(s), -123456789);
    EXPECT_EQ(ReadInt(s), 0x01020304);
    EXPECT_EQ(ReadShort(s), 0xBEEF);
    EXPECT_EQ(ReadByte(s), 0xFF);
    EXPECT_EQ(ReadFloat(s), 2.5f);
    EXPECT_EQ(ReadLine(s), "line one");
    EXPECT_EQ(ReadLine(s), "two");
    EXPECT_EQ(ReadLine(s), "");
    EXPECT_TRUE(Eof(s));
  };
  StreamPtr ram = CreateRamStream(std::vector<uint8_t>{});
  check(ram);
  std::vector<uint8_t> bytes = RamStreamBytes(ram);
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ((std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 8)),
            (std::vector<uint8_t>{4, 3, 2, 1}));

  StreamPtr file = OpenFile(Home() + "/rw.bin");
  ASSERT_TRUE(file);
  check(file);
  CloseFile(file);
  EXPECT_EQ(ReadRaw(Home() + "/rw.bin"), bytes);
}

TEST(FilesTest, BanksPeekPokeAndRefuseOffsetsOutside) {
  BankPtr bank = CreateBank(8);
  PokeInt(bank, 0, 0x11223344);
  PokeShort(bank, 4, 0xA0B0);
  PokeByte(bank, 7, 300);
  EXPECT_EQ(PeekByte(bank, 0), 0x44);
  EXPECT_EQ(PeekInt(bank, 0), 0x11223344);
  EXPECT_EQ(PeekShort(bank, 4), 0xA0B0);
  EXPECT_EQ(PeekByte(bank, 7), 300 & 0xFF);
  EXPECT_THROW(PeekByte(bank, 8), FrameworkError);
  EXPECT_THROW(PeekInt(bank, 5), FrameworkError);
  EXPECT_THROW(PokeByte(bank, -1, 0), FrameworkError);
  EXPECT_THROW(CopyBank(bank, 4, bank, 6, 4), FrameworkError);

  BankPtr other = CreateBank(4);
  CopyBank(bank, 0, other, 0, 4);
  EXPECT_EQ(PeekInt(other, 0), 0x11223344);
  ResizeBank(other, 6);
  EXPECT_EQ(BankSize(other), 6);
  EXPECT_EQ(PeekInt(other, 0), 0x11223344);  // kept on resize

  // A stream over a bank reads its bytes; ReadBank takes what the stream has.
  StreamPtr over = CreateRamStream(bank);
  BankPtr dest = CreateBank(16);
  EXPECT_EQ(ReadBank(dest, over, 2, 10), 8);
  EXPECT_EQ(PeekInt(dest, 2), 0x11223344);
  EXPECT_THROW(ReadBank(dest, over, 10, 10), FrameworkError);
  StreamPtr out = CreateRamStream(std::vector<uint8_t>{});
  EXPECT_EQ(WriteBank(bank, out, 4, 4), 4);
  EXPECT_EQ(RamStreamBytes(out), (std::vector<uint8_t>{0xB0, 0xA0, 0, 0xFF & 300}));
}

TEST(FilesTest, TextFilesDecodeByTheirFirstBytes) {
  struct Case {
    std::vector<uint8_t> bytes;
    String text;
  };
  const Case cases[] = {
      {{0xFF, 0xFE, 'h', 0, 0x42, 0x01}, u"h\u0142"},
      {{0xFE, 0xFF, 0, 'h', 0x01, 0x42}, u"h\u0142"},
      {{0xEF, 0xBB, 0xBF, 'a', 0xC5, 0x82}, u"a\u0142"},
      {{'a', 0xC5, 0x82}, u"a\u00c5\u0082"},  // no signature: one byte per character
      {{0xEF, 0xBB, 'x'}, u"\u00ef\u00bbx"},
      {{0xFF}, u"\u00ff"},
      {{}, u""},
      {{0xFF, 0xFE, 'a', 0, 'b'}, u"a"},  // a last odd byte is no character
  };
  int i = 0;
  for (const Case& c : cases) {
    const std::string path = Home() + "/t" + std::to_string(i++) + ".txt";
    WriteRaw(path, c.bytes);
    EXPECT_EQ(LoadText(path), c.text) << path;
    EXPECT_EQ(LoadText(CreateRamStream(c.bytes)), c.text) << path;
  }
  EXPECT_THROW(LoadText(Home() + "/missing.txt"), FrameworkError);
  EXPECT_THROW(LoadText(Home()), FrameworkError);  // a folder
}

TEST(FilesTest, SaveTextWritesBytesOrUtf16AndReadsBack) {
  struct Case {
    String text;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {u"a\u00e9", {'a', 0xE9}},
      {u"a\u0142", {0xFF, 0xFE, 'a', 0, 0x42, 0x01}},
      {u"", {}},
      // One-byte texts that begin like a signature would not read back: written as UTF-16.
      {u"\u00ff\u00fe", {0xFF, 0xFE, 0xFF, 0, 0xFE, 0}},
      {u"\u00ef\u00bb\u00bf!", {0xFF, 0xFE, 0xEF, 0, 0xBB, 0, 0xBF, 0, '!', 0}},
  };
  for (const Case& c : cases) {
    const std::string path = Home() + "/saved.tsc";
    ASSERT_TRUE(SaveText(c.text, path));
    EXPECT_EQ(ReadRaw(path), c.bytes);
    EXPECT_EQ(LoadText(path), c.text);
  }
}

TEST(FilesTest, SaveBytesSafelyReplacesTheFileAndLeavesNoTemporary) {
  const std::string dir = Home() + "/safe";
  ASSERT_TRUE(CreateDir(dir));
  ASSERT_TRUE(SaveBytesSafely(dir + "/f.dat", {1, 2, 3}));
  ASSERT_TRUE(SaveBytesSafely(dir + "/f.dat", {4}));
  EXPECT_EQ(ReadRaw(dir + "/f.dat"), (std::vector<uint8_t>{4}));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"f.dat"}));

  // A target that cannot be written fails and leaves everything as it was.
  ASSERT_TRUE(CreateDir(dir + "/taken"));
  EXPECT_FALSE(SaveBytesSafely(dir + "/taken", {5}));
  EXPECT_FALSE(SaveBytesSafely(dir + "/no/such/folder/f.dat", {5}));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"f.dat", "taken"}));
  EXPECT_EQ(FileType(dir + "/taken"), FILETYPE_DIR);
}

TEST(FilesTest, ASaveClearsTheTemporariesACutShortSaveOfTheSameFileLeft) {
  const std::string dir = Home() + "/cut";
  ASSERT_TRUE(CreateDir(dir));
  // Two saves killed before their rename, one of another file, and names that only look alike.
  for (const char* name : {"f.dat.tmp-a1B2c3", "f.dat.tmp-zzzzzz", "g.dat.tmp-a1B2c3",
                           "f.dat.tmp-short", "f.dat.tmp-toolong1", "xf.dat.tmp-a1B2c3"})
    ASSERT_TRUE(SaveBytesSafely(dir + "/" + name, {9}));
  ASSERT_TRUE(SaveBytesSafely(dir + "/f.dat", {1}));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"f.dat", "f.dat.tmp-short", "f.dat.tmp-toolong1",
                                                    "g.dat.tmp-a1B2c3", "xf.dat.tmp-a1B2c3"}));
}

// A FIFO, a link that loops or a device in a file's place is neither read nor written
// nor replaced: opening a FIFO with no writer would wait for ever.
TEST(FilesTest, OnlyRegularFilesAreOpenedReadOrReplaced) {
  const std::string dir = Home() + "/odd";
  ASSERT_TRUE(CreateDir(dir));
  const std::string fifo = dir + "/pipe.dat";
  const std::string loop = dir + "/loop.dat";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(symlink("loop.dat", loop.c_str()), 0);
  for (const std::string& path : {fifo, loop, std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(RegularFile(path));
    EXPECT_FALSE(ReadFile(path));
    EXPECT_FALSE(OpenFile(path));
    EXPECT_FALSE(WriteFile(path));
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(LoadBytes(path, bytes));
    EXPECT_FALSE(LoadBank(path));
    EXPECT_THROW(LoadText(path), FrameworkError);
    if (path != "/dev/null") {
      EXPECT_FALSE(SaveBytesSafely(path, {1, 2}));
    }
  }
  struct stat st;
  ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the FIFO was replaced";
  ASSERT_EQ(lstat(loop.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(LoadDir(dir), (std::vector<std::string>{"loop.dat", "pipe.dat"}));

  // A regular file, and a link to one, still are.
  const std::string file = dir + "/plain.dat";
  ASSERT_TRUE(SaveBytesSafely(file, {7}));
  ASSERT_EQ(symlink("plain.dat", (dir + "/link.dat").c_str()), 0);
  EXPECT_TRUE(RegularFile(file));
  EXPECT_TRUE(RegularFile(dir + "/link.dat"));
  EXPECT_EQ(ReadRaw(dir + "/link.dat"), (std::vector<uint8_t>{7}));
  EXPECT_TRUE(OpenFile(file));
}

}  // namespace
