#include "experiments/result_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>  // renameat2
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/measure_items.h"
#include "common/csv.h"
#include "common/numbers.h"

namespace antraid::experiments {

namespace {
[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
  throw IoError("cannot " + what + " " + path + ": " + std::strerror(error));
}
}  // namespace

AtomicFile::AtomicFile(std::string path, std::string_view suffix) : path_(std::move(path)), temp_(path_) {
  temp_ += suffix;
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) Fail("write", path_, errno);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlink(temp_.c_str());
  }
}

void AtomicFile::Write(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= (1u << 20)) Flush();
}

void AtomicFile::Flush() {
  size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail("write", path_, n < 0 ? errno : ENOSPC);
    done += static_cast<size_t>(n);
  }
  buffer_.clear();
}

void AtomicFile::Close() {
  Flush();
  if (::fsync(fd_) != 0) Fail("write", path_, errno);
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    Fail("write", path_, error);
  }
}

void AtomicFile::Commit() {
  Close();
  if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp_.c_str());
    Fail("write", path_, error);
  }
}

bool AtomicFile::CommitUnlessPresent() {
  Close();
  int result = ::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, path_.c_str(), RENAME_NOREPLACE);
  if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
    // A file system without the no-replace rename (some network file
    // systems): a hard link publishes just as atomically and fails the same
    // way when the name is taken.
    result = ::link(temp_.c_str(), path_.c_str());
  }
  const int error = result != 0 ? errno : 0;
  ::unlink(temp_.c_str());
  if (error == EEXIST) return false;
  if (error != 0) Fail("write", path_, error);
  return true;
}

std::string TemporarySuffix() {
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') std::strcpy(host, "host");
  return ".part-" + std::string(host) + "-" + std::to_string(::getpid());
}

void WriteFileAtomically(const std::string& path, std::string_view text, std::string_view suffix) {
  AtomicFile f(path, suffix);
  f.Write(text);
  f.Commit();
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("read", path, errno ? errno : ENOENT);
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) Fail("read", path, errno);
  return s.str();
}

std::string TableHeader(const Experiment& e, const RunPlan& plan) {
  std::string h = "run,repetition,seed";
  for (const std::string& n : plan.columnNames()) h += "," + CsvCell(n);
  h += ",step,modelTime";
  for (const std::string& m : MeasuredItems(e)) h += "," + CsvCell(ColumnName(m));
  return h + "\n";
}

std::string RunPath(const std::string& dir, int64_t number, std::string_view extension) {
  return dir + "/runs/" + RunName(number) + std::string(extension);
}

void WriteRunFiles(const std::string& dir, const Experiment& e, const RunPlan& plan, const PlannedRun& run,
                   const RunScript& script, const RunResult& result) {
  // Within a process a run belongs to one thread; the process's own
  // temporary names keep it apart from any other process on the same run.
  if (RunComplete(dir, run.number)) return;
  const std::string suffix = TemporarySuffix();
  WriteFileAtomically(RunPath(dir, run.number, ".script"), script.text, suffix);

  std::string status = result.ok ? "ok\n" : "failed\n";
  status += result.message + "\n";
  if (result.ok && !result.rows.empty()) {
    for (size_t i = 1; i < result.rows.back().size(); ++i) status += result.rows.back()[i] + "\n";
    status += FormatInt(StepsOf(result, script)) + "\n" + result.stopped + "\n";
  }
  WriteFileAtomically(RunPath(dir, run.number, ".status"), status, suffix);

  AtomicFile csv(RunPath(dir, run.number, ".csv"), suffix);
  csv.Write(TableHeader(e, plan));
  std::string lead = FormatInt(run.number) + "," + FormatInt(run.repetition) + "," + std::to_string(run.seed);
  for (const std::string& c : run.columns) lead += "," + CsvCell(c);
  const std::vector<int64_t> steps = RowStepsOf(result, script);
  for (size_t r = 0; r < result.rows.size(); ++r) {
    std::string line = lead + "," + FormatInt(steps[r]);
    for (const std::string& cell : result.rows[r]) line += "," + CsvCell(cell);
    csv.Write(line + "\n");
  }
  // The script and status of a process killed before its rows are replaced
  // above; a complete run's rows never are.
  csv.CommitUnlessPresent();
}

bool RunComplete(const std::string& dir, int64_t number) {
  std::error_code ec;
  return std::filesystem::exists(RunPath(dir, number, ".csv"), ec) &&
         std::filesystem::exists(RunPath(dir, number, ".status"), ec);
}

std::optional<RunStatus> ReadRunStatus(const std::string& dir, int64_t number, size_t measures) {
  if (!RunComplete(dir, number)) return std::nullopt;
  std::istringstream in(ReadFile(RunPath(dir, number, ".status")));
  RunStatus s;
  std::string word;
  std::getline(in, word);
  s.ok = word == "ok";
  std::getline(in, s.message);
  for (std::string v; s.ok && s.finals.size() < measures && std::getline(in, v);) s.finals.push_back(v);
  if (s.ok && s.finals.size() != measures)
    throw IoError("cannot read " + RunPath(dir, number, ".status") + ": it holds too few measures");
  if (s.ok) {
    std::getline(in, s.steps);
    std::getline(in, s.stopped);
  }
  return s;
}

}  // namespace antraid::experiments
