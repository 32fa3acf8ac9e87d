// Files, folders, streams, banks and text files over POSIX.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/errors.h"

namespace {

const char kReadError[] = "Error reading from stream";

void (*g_failedOpenObserver)(const std::string&) = nullptr;

void NoteFailedOpen(const std::string& path) {
  if (g_failedOpenObserver) g_failedOpenObserver(path);
}
const char kWriteError[] = "Error writing to stream";

bool Exists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

std::string MendSeparators(const std::string& path) {
  std::string out = path;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

// The entry of `dir` whose name equals `name` without regard to letter case; "" when none.
std::string FindIgnoringCase(const std::string& dir, const std::string& name) {
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return {};
  const std::string wanted = LowerPath(name);
  std::string found;
  while (dirent* e = readdir(d)) {
    if (LowerPath(e->d_name) == wanted) {
      found = e->d_name;
      break;
    }
  }
  closedir(d);
  return found;
}

bool WriteAll(int fd, const uint8_t* data, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

// ---- A stream over a C file ----

class FileStream : public TStream {
 public:
  explicit FileStream(FILE* f) : file_(f) {}
  ~FileStream() override { Close(); }

  int64_t Read(void* buffer, int64_t n) override {
    if (!file_ || n <= 0) return 0;
    Switch(false);
    return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(n), file_));
  }
  int64_t Write(const void* buffer, int64_t n) override {
    if (!file_ || n <= 0) return 0;
    Switch(true);
    return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(n), file_));
  }
  int64_t Pos() const override { return file_ ? static_cast<int64_t>(ftello(file_)) : -1; }
  int64_t Seek(int64_t pos) override {
    if (!file_) return -1;
    if (pos < 0) pos = 0;
    fseeko(file_, static_cast<off_t>(pos), SEEK_SET);
    writing_ = false;
    reading_ = false;
    return Pos();
  }
  int64_t Size() const override {
    if (!file_) return 0;
    std::fflush(file_);
    struct stat st;
    if (fstat(fileno(file_), &st) != 0) return 0;
    return static_cast<int64_t>(st.st_size);
  }
  void Flush() override {
    if (file_) std::fflush(file_);
  }
  void Close() override {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  // A C stream needs a positioning call between reading and writing.
  void Switch(bool toWrite) {
    if ((toWrite && reading_) || (!toWrite && writing_)) fseeko(file_, 0, SEEK_CUR);
    writing_ = toWrite;
    reading_ = !toWrite;
  }

  FILE* file_;
  bool reading_ = false;
  bool writing_ = false;
};

// ---- A stream over memory ----

class RamStream : public TStream {
 public:
  RamStream(BankPtr bank, bool readable, bool writable)
      : bank_(std::move(bank)), readable_(readable), writable_(writable) {}

  int64_t Read(void* buffer, int64_t n) override {
    if (!readable_ || n <= 0) return 0;
    int64_t avail = std::max<int64_t>(0, bank_->Size() - pos_);
    int64_t count = std::min(n, avail);
    if (count > 0) std::memcpy(buffer, bank_->Buf() + pos_, static_cast<size_t>(count));
    pos_ += count;
    return count;
  }
  int64_t Write(const void* buffer, int64_t n) override {
    if (!writable_ || n <= 0) return 0;
    if (pos_ + n > bank_->Size()) bank_->Resize(pos_ + n);
    std::memcpy(bank_->Buf() + pos_, buffer, static_cast<size_t>(n));
    pos_ += n;
    return n;
  }
  int64_t Pos() const override { return pos_; }
  int64_t Seek(int64_t pos) override {
    pos_ = std::clamp<int64_t>(pos, 0, bank_->Size());
    return pos_;
  }
  int64_t Size() const override { return bank_->Size(); }
  const BankPtr& Bank() const { return bank_; }

 private:
  BankPtr bank_;
  bool readable_;
  bool writable_;
  int64_t pos_ = 0;
};

StreamPtr OpenC(const std::string& path, const char* mode) {
  FILE* f = std::fopen(path.c_str(), mode);
  if (!f) return nullptr;
  return std::make_shared<FileStream>(f);
}

void ReadExactly(const StreamPtr& stream, void* buffer, int64_t n) {
  if (n <= 0) return;
  if (!stream || stream->Read(buffer, n) != n) throw FrameworkError(kReadError);
}

void WriteExactly(const StreamPtr& stream, const void* buffer, int64_t n) {
  if (n <= 0) return;
  if (!stream || stream->Write(buffer, n) != n) throw FrameworkError(kWriteError);
}

void CheckBankRange(const BankPtr& bank, int64_t offset, int64_t count) {
  if (!bank || offset < 0 || count < 0 || offset > bank->Size() || count > bank->Size() - offset)
    throw FrameworkError("Bank offset out of range");
}

}  // namespace

// ---- Paths ----

std::string ResolvePath(const std::string& path) {
  std::string mended = MendSeparators(path);
  if (mended.empty() || Exists(mended)) return mended;

  // Walk the parts: keep each part that exists as written, else take the entry of its folder
  // that matches it without regard to case. The rest stays as written once nothing matches.
  std::string out;
  size_t i = 0;
  if (mended[0] == '/') {
    out = "/";
    i = 1;
  }
  bool lost = false;
  while (i <= mended.size()) {
    size_t slash = mended.find('/', i);
    if (slash == std::string::npos) slash = mended.size();
    std::string part = mended.substr(i, slash - i);
    if (!part.empty() && part != "." && part != ".." && !lost) {
      if (!Exists(out + part)) {
        std::string match = FindIgnoringCase(out, part);
        if (match.empty()) lost = true; else part = match;
      }
    }
    out += part;
    if (slash < mended.size()) out += '/';
    i = slash + 1;
  }
  return out;
}

int FileType(const std::string& path) {
  struct stat st;
  if (stat(ResolvePath(path).c_str(), &st) != 0) return FILETYPE_NONE;
  if (S_ISDIR(st.st_mode)) return FILETYPE_DIR;
  return FILETYPE_FILE;
}

bool RegularFile(const std::string& path) {
  struct stat st;
  return stat(ResolvePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st;
  if (stat(ResolvePath(path).c_str(), &st) != 0) return -1;
  if (S_ISDIR(st.st_mode)) return 0;
  return static_cast<int64_t>(st.st_size);
}

bool CreateDir(const std::string& path, bool recurse) {
  std::string p = ResolvePath(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) return false;
  if (recurse) {
    for (size_t slash = p.find('/', 1); slash != std::string::npos; slash = p.find('/', slash + 1)) {
      std::string parent = p.substr(0, slash);
      if (FileType(parent) == FILETYPE_NONE) mkdir(parent.c_str(), 0777);
    }
  }
  if (FileType(p) == FILETYPE_NONE) mkdir(p.c_str(), 0777);
  return FileType(p) == FILETYPE_DIR;
}

bool DeleteFile(const std::string& path) {
  std::string p = ResolvePath(path);
  struct stat st;
  if (lstat(p.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return unlink(p.c_str()) == 0;
}

namespace {
bool RemoveTree(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return false;
  bool ok = true;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::string child = dir + "/" + name;
    struct stat st;
    if (lstat(child.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) ok = RemoveTree(child) && ok;
    else ok = unlink(child.c_str()) == 0 && ok;
  }
  closedir(d);
  return rmdir(dir.c_str()) == 0 && ok;
}
}  // namespace

bool DeleteDir(const std::string& path, bool recurse) {
  std::string p = ResolvePath(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  struct stat st;
  if (lstat(p.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (recurse) return RemoveTree(p);
  return rmdir(p.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  const std::string source = ResolvePath(from);
  std::string target = ResolvePath(to);
  // A new name that differs from the old one only in letter case resolves to the file itself;
  // as on a file system that ignores case, the file then takes the name as written.
  struct stat a, b;
  if (lstat(source.c_str(), &a) == 0 && lstat(target.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
      a.st_ino == b.st_ino) {
    const std::string dir = ExtractDir(target);
    const std::string name = StripDir(MendSeparators(to));
    target = dir.empty() ? name : dir + "/" + name;
  }
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool CopyFile(const std::string& from, const std::string& to) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(from, bytes)) return false;
  return SaveBytesSafely(to, bytes);
}

bool MoveFileAside(const std::string& path, std::string& movedTo) {
  constexpr int kMostNames = 1000;
  movedTo = path + ".bad";
  for (int n = 2; FileType(movedTo) != FILETYPE_NONE; ++n) {
    if (n > kMostNames) return false;
    movedTo = path + ".bad" + std::to_string(n);
  }
  return RenameFile(path, movedTo);
}

int KeptFileState(const std::string& path) {
  const std::string p = ResolvePath(path);
  struct stat st;
  if (lstat(p.c_str(), &st) != 0) return KEPTFILE_MISSING;
  if (!RegularFile(p)) return KEPTFILE_NOT_A_FILE;
  return FileSize(p) == 0 ? KEPTFILE_EMPTY : KEPTFILE_PRESENT;
}

bool KeepDamagedFileAside(const std::string& what, const std::string& path,
                          const std::string& reason, const std::string& instead,
                          const std::string& insteadWhenStuck) {
  const std::string head = "The " + what + " file " + path + " could not be read (" + reason + ")";
  std::string movedTo;
  if (MoveFileAside(path, movedTo)) {
    Print(head + "; it was moved to " + movedTo + " and " + instead + ".");
    return true;
  }
  Print(head + " nor moved aside; " + insteadWhenStuck + ".");
  return false;
}

std::string CurrentDir() {
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return {};
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

bool ChangeDir(const std::string& path) { return chdir(ResolvePath(path).c_str()) == 0; }

std::string HomeDir() {
  std::string home;
  if (const char* env = std::getenv("HOME")) home = env;
  if (home.empty()) {
    if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir ? pw->pw_dir : "";
  }
  // Callers append "/..." directly.
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home;
}

namespace {
size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }
size_t ExtensionDot(const std::string& path) {
  size_t dot = path.rfind('.');
  size_t sep = LastSeparator(path);
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return std::string::npos;
  return dot;
}
}  // namespace

std::string StripDir(const std::string& path) {
  size_t sep = LastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string StripExt(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? path : path.substr(0, dot);
}

std::string ExtractDir(const std::string& path) {
  size_t sep = LastSeparator(path);
  if (sep == std::string::npos) return {};
  if (sep == 0) return path.substr(0, 1);
  return path.substr(0, sep);
}

std::string ExtractExt(const std::string& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

// ---- Folder listings ----

class TDir {
 public:
  std::vector<std::string> names;
  size_t next = 0;
};

DirPtr ReadDir(const std::string& path) {
  DIR* d = opendir(ResolvePath(path).c_str());
  if (!d) return nullptr;
  auto dir = std::make_shared<TDir>();
  while (dirent* e = readdir(d)) dir->names.emplace_back(e->d_name);
  closedir(d);
  return dir;
}

std::string NextFile(const DirPtr& dir) {
  if (!dir || dir->next >= dir->names.size()) return {};
  return dir->names[dir->next++];
}

void CloseDir(const DirPtr& dir) {
  if (!dir) return;
  dir->names.clear();
  dir->next = 0;
}

std::vector<std::string> LoadDir(const std::string& path) {
  std::vector<std::string> out;
  DirPtr dir = ReadDir(path);
  if (!dir) return out;
  for (const std::string& name : dir->names)
    if (name != "." && name != "..") out.push_back(name);
  std::sort(out.begin(), out.end());
  return out;
}

// ---- Streams ----

void SetFailedOpenObserver(void (*observer)(const std::string& path)) {
  g_failedOpenObserver = observer;
}

StreamPtr ReadFile(const std::string& path) {
  std::string p = ResolvePath(path);
  StreamPtr stream = RegularFile(p) ? OpenC(p, "rb") : nullptr;
  if (!stream) NoteFailedOpen(path);
  return stream;
}

StreamPtr WriteFile(const std::string& path) {
  std::string p = ResolvePath(path);
  if (FileType(p) != FILETYPE_NONE && !RegularFile(p)) return nullptr;
  return OpenC(p, "wb");
}

StreamPtr OpenFile(const std::string& path) {
  std::string p = ResolvePath(path);
  const bool exists = FileType(p) != FILETYPE_NONE;
  if (exists && !RegularFile(p)) return nullptr;
  return OpenC(p, exists ? "r+b" : "w+b");
}

StreamPtr ReadStream(const std::string& path) { return ReadFile(path); }
StreamPtr WriteStream(const std::string& path) { return WriteFile(path); }

void CloseFile(const StreamPtr& stream) {
  if (stream) stream->Close();
}
void CloseStream(const StreamPtr& stream) { CloseFile(stream); }
int64_t StreamPos(const StreamPtr& stream) { return stream ? stream->Pos() : -1; }
int64_t StreamSize(const StreamPtr& stream) { return stream ? stream->Size() : 0; }
int64_t SeekStream(const StreamPtr& stream, int64_t pos) { return stream ? stream->Seek(pos) : -1; }
bool Eof(const StreamPtr& stream) { return !stream || stream->Eof(); }
void FlushStream(const StreamPtr& stream) {
  if (stream) stream->Flush();
}
StreamPtr LittleEndianStream(const StreamPtr& stream) { return stream; }

int ReadByte(const StreamPtr& stream) {
  uint8_t b;
  ReadExactly(stream, &b, 1);
  return b;
}

int ReadShort(const StreamPtr& stream) {
  uint8_t b[2];
  ReadExactly(stream, b, 2);
  return b[0] | (b[1] << 8);
}

int32_t ReadInt(const StreamPtr& stream) {
  uint8_t b[4];
  ReadExactly(stream, b, 4);
  uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
               (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  return static_cast<int32_t>(v);
}

float ReadFloat(const StreamPtr& stream) {
  uint32_t bits = static_cast<uint32_t>(ReadInt(stream));
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

void ReadBytes(const StreamPtr& stream, void* buffer, int64_t n) { ReadExactly(stream, buffer, n); }

std::string ReadLine(const StreamPtr& stream) {
  std::string line;
  if (!stream) return line;
  char c;
  while (stream->Read(&c, 1) == 1) {
    if (c == '\n') break;
    line.push_back(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void WriteByte(const StreamPtr& stream, int value) {
  uint8_t b = static_cast<uint8_t>(value);
  WriteExactly(stream, &b, 1);
}

void WriteShort(const StreamPtr& stream, int value) {
  uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  WriteExactly(stream, b, 2);
}

void WriteInt(const StreamPtr& stream, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                  static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
  WriteExactly(stream, b, 4);
}

void WriteFloat(const StreamPtr& stream, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  WriteInt(stream, static_cast<int32_t>(bits));
}

void WriteBytes(const StreamPtr& stream, const void* buffer, int64_t n) {
  WriteExactly(stream, buffer, n);
}

void WriteLine(const StreamPtr& stream, const std::string& line) {
  WriteExactly(stream, line.data(), static_cast<int64_t>(line.size()));
  WriteExactly(stream, "\n", 1);
}

std::vector<uint8_t> LoadBytes(const StreamPtr& stream) {
  std::vector<uint8_t> out;
  if (!stream) return out;
  uint8_t buf[65536];
  for (;;) {
    int64_t n = stream->Read(buf, sizeof buf);
    if (n <= 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  return out;
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  std::string p = ResolvePath(path);
  // Non-blocking, should a FIFO take the file's place between the check and the open.
  int fd = RegularFile(p) ? open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
  if (fd < 0) {
    NoteFailedOpen(path);
    return false;
  }
  uint8_t buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  close(fd);
  if (!ok) out.clear();
  return ok;
}

namespace {

// A save writes "<file>.tmp-" and six more characters, then renames it over the file.
const std::string kTemporaryMark = ".tmp-";

// A save killed before its rename leaves its temporary behind; the next save of the same file
// removes it, so a game that crashes again and again does not fill the folder.
void RemoveCutShortSaves(const std::string& target) {
  const std::string dir = ExtractDir(target);
  const std::string prefix = StripDir(target) + kTemporaryMark;
  DirPtr listing = ReadDir(dir.empty() ? "." : dir);
  if (!listing) return;
  for (std::string entry = NextFile(listing); !entry.empty(); entry = NextFile(listing)) {
    if (entry.size() == prefix.size() + 6 && entry.compare(0, prefix.size(), prefix) == 0)
      unlink((dir.empty() ? entry : dir + "/" + entry).c_str());
  }
  CloseDir(listing);
}

}  // namespace

bool SaveBytesSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string target = ResolvePath(path);
  if (target.empty() || target.back() == '/') return false;
  struct stat old;
  mode_t mode = 0644;
  if (lstat(target.c_str(), &old) == 0) {
    // Only a regular file (or a link to one) is replaced: a folder, a FIFO, a device or a link
    // that leads nowhere in its place is something the player made, and is left as it is.
    if (stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return false;
    mode = old.st_mode & 07777;
  }
  RemoveCutShortSaves(target);
  std::string tmpl = target + kTemporaryMark + "XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) ok = std::rename(name.data(), target.c_str()) == 0;
  if (!ok) {
    unlink(name.data());
    return false;
  }
  // Make the rename itself durable.
  std::string dir = ExtractDir(target);
  int dfd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    fsync(dfd);
    close(dfd);
  }
  return true;
}

// ---- Banks ----

BankPtr CreateBank(int64_t size) { return std::make_shared<TBank>(std::max<int64_t>(0, size)); }

BankPtr LoadBank(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  auto bank = std::make_shared<TBank>();
  bank->bytes = std::move(bytes);
  return bank;
}

int64_t BankSize(const BankPtr& bank) { return bank ? bank->Size() : 0; }

void ResizeBank(const BankPtr& bank, int64_t size) {
  if (bank) bank->Resize(std::max<int64_t>(0, size));
}

int64_t ReadBank(const BankPtr& bank, const StreamPtr& stream, int64_t offset, int64_t count) {
  CheckBankRange(bank, offset, count);
  if (!stream || count == 0) return 0;
  int64_t total = 0;
  while (total < count) {
    int64_t n = stream->Read(bank->Buf() + offset + total, count - total);
    if (n <= 0) break;
    total += n;
  }
  return total;
}

int64_t WriteBank(const BankPtr& bank, const StreamPtr& stream, int64_t offset, int64_t count) {
  CheckBankRange(bank, offset, count);
  if (!stream || count == 0) return 0;
  return stream->Write(bank->Buf() + offset, count);
}

void CopyBank(const BankPtr& src, int64_t srcOffset, const BankPtr& dst, int64_t dstOffset,
              int64_t count) {
  CheckBankRange(src, srcOffset, count);
  CheckBankRange(dst, dstOffset, count);
  if (count > 0) std::memmove(dst->Buf() + dstOffset, src->Buf() + srcOffset, static_cast<size_t>(count));
}

int PeekByte(const BankPtr& bank, int64_t offset) {
  CheckBankRange(bank, offset, 1);
  return bank->bytes[static_cast<size_t>(offset)];
}

int PeekShort(const BankPtr& bank, int64_t offset) {
  CheckBankRange(bank, offset, 2);
  const uint8_t* p = bank->Buf() + offset;
  return p[0] | (p[1] << 8);
}

int32_t PeekInt(const BankPtr& bank, int64_t offset) {
  CheckBankRange(bank, offset, 4);
  const uint8_t* p = bank->Buf() + offset;
  uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(v);
}

void PokeByte(const BankPtr& bank, int64_t offset, int value) {
  CheckBankRange(bank, offset, 1);
  bank->bytes[static_cast<size_t>(offset)] = static_cast<uint8_t>(value);
}

void PokeShort(const BankPtr& bank, int64_t offset, int value) {
  CheckBankRange(bank, offset, 2);
  uint8_t* p = bank->Buf() + offset;
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

void PokeInt(const BankPtr& bank, int64_t offset, int32_t value) {
  CheckBankRange(bank, offset, 4);
  uint32_t v = static_cast<uint32_t>(value);
  uint8_t* p = bank->Buf() + offset;
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

StreamPtr CreateRamStream(const BankPtr& bank, bool readable, bool writable) {
  if (!bank) return nullptr;
  return std::make_shared<RamStream>(bank, readable, writable);
}

StreamPtr CreateRamStream(std::vector<uint8_t> bytes, bool readable, bool writable) {
  auto bank = std::make_shared<TBank>();
  bank->bytes = std::move(bytes);
  return std::make_shared<RamStream>(bank, readable, writable);
}

std::vector<uint8_t> RamStreamBytes(const StreamPtr& stream) {
  auto ram = std::dynamic_pointer_cast<RamStream>(stream);
  return ram ? ram->Bank()->bytes : std::vector<uint8_t>();
}

// ---- Text files ----

String DecodeText(const std::vector<uint8_t>& bytes) {
  const size_t n = bytes.size();
  String out;
  if (n >= 2 && ((bytes[0] == 0xff && bytes[1] == 0xfe) || (bytes[0] == 0xfe && bytes[1] == 0xff))) {
    const bool little = bytes[0] == 0xff;
    out.reserve((n - 2) / 2);
    // A last odd byte is not a whole character and is left out.
    for (size_t i = 2; i + 1 < n; i += 2) {
      unsigned lo = little ? bytes[i] : bytes[i + 1];
      unsigned hi = little ? bytes[i + 1] : bytes[i];
      out.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    return out;
  }
  if (n >= 3 && bytes[0] == 0xef && bytes[1] == 0xbb && bytes[2] == 0xbf)
    return FromUtf8(std::string(bytes.begin() + 3, bytes.end()));
  out.reserve(n);
  for (uint8_t b : bytes) out.push_back(static_cast<char16_t>(b));
  return out;
}

String LoadText(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) throw FrameworkError("Error reading file: " + path);
  return DecodeText(bytes);
}

String LoadText(const StreamPtr& stream) {
  if (!stream) throw FrameworkError(kReadError);
  return DecodeText(LoadBytes(stream));
}

std::vector<uint8_t> EncodeText(const String& text) {
  std::vector<uint8_t> out;
  bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 255; });
  // A one-byte text that begins like a signature would read back as something else: such a
  // text is written as UTF-16 as well.
  auto startsWith = [&text](std::u16string_view head) { return text.compare(0, head.size(), head) == 0; };
  if (startsWith(u"\u00ff\u00fe") || startsWith(u"\u00fe\u00ff") || startsWith(u"\u00ef\u00bb\u00bf"))
    wide = true;
  if (!wide) {
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(static_cast<uint8_t>(c));
    return out;
  }
  out.reserve(2 + text.size() * 2);
  out.push_back(0xff);
  out.push_back(0xfe);
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c & 0xff));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

bool SaveText(const String& text, const std::string& path) {
  return SaveBytesSafely(path, EncodeText(text));
}
