#include "experiments/result_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>  // renameat2
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <algorithm>

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

namespace {

// The records of a CSV text, each a list of cells. False when the text ends
// inside a record (no final line break, or an open quote).
bool SplitRecords(std::string_view text, std::vector<std::vector<std::string>>& records) {
  std::vector<std::string> record(1);
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        record.back() += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        record.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      record.emplace_back();
    } else if (c == '\n') {
      records.push_back(std::move(record));
      record.assign(1, "");
    } else {
      record.back() += c;
    }
  }
  return !quoted && record.size() == 1 && record[0].empty();
}

// The status file's fields, or nothing when it does not parse: "ok" or
// "failed", the message, then for a run that succeeded exactly one line per
// measure, the steps it made (a whole number, at least 1) and the stop
// condition that ended it (or an empty line); nothing more for one that
// failed. Each line ended.
std::optional<RunStatus> ParseStatus(std::string_view text, size_t measures) {
  if (text.empty() || text.back() != '\n') return std::nullopt;
  std::vector<std::string> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    lines.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  RunStatus s;
  if (lines.size() < 2 || (lines[0] != "ok" && lines[0] != "failed")) return std::nullopt;
  s.ok = lines[0] == "ok";
  s.message = lines[1];
  if (lines.size() != 2 + (s.ok ? measures + 2 : 0)) return std::nullopt;
  if (!s.ok) return s;
  s.finals.assign(lines.begin() + 2, lines.begin() + 2 + static_cast<std::ptrdiff_t>(measures));
  s.steps = lines[2 + measures];
  s.stopped = lines[3 + measures];
  const ParsedNumber steps = ParseNumber(s.steps);
  if (!steps.ok() || steps.value < 1 || steps.value != std::floor(steps.value) || FormatInt(static_cast<int64_t>(steps.value)) != s.steps)
    return std::nullopt;
  return s;
}

}  // namespace

bool RunComplete(const std::string& dir, int64_t number) {
  std::error_code ec;
  return std::filesystem::exists(RunPath(dir, number, ".csv"), ec) &&
         std::filesystem::exists(RunPath(dir, number, ".status"), ec);
}

void DiscardRun(const std::string& dir, int64_t number) {
  std::error_code ec;
  std::filesystem::remove(RunPath(dir, number, ".csv"), ec);  // the mark of a complete run first
  std::filesystem::remove(RunPath(dir, number, ".status"), ec);
}

std::optional<RunStatus> ReadRunStatus(const std::string& dir, int64_t number, size_t measures) {
  if (!RunComplete(dir, number)) return std::nullopt;
  const std::string path = RunPath(dir, number, ".status");
  std::optional<RunStatus> s = ParseStatus(ReadFile(path), measures);
  if (!s) throw IoError("cannot read " + path + ": it does not parse");
  return s;
}

RunFiles InspectRun(const std::string& dir, const Experiment& e, const RunPlan& plan, int64_t number) {
  RunFiles f;
  const std::string statusPath = RunPath(dir, number, ".status"), csvPath = RunPath(dir, number, ".csv");
  std::error_code ec;
  if (!std::filesystem::exists(csvPath, ec) || !std::filesystem::exists(statusPath, ec)) return f;
  const std::string name = "runs/" + RunName(number);
  auto damaged = [&](std::string problem) {
    f.state = RunFiles::State::Damaged;
    f.problem = std::move(problem);
    f.rows.clear();
    return f;
  };
  const size_t measured = MeasuredItems(e).size();
  std::optional<RunStatus> status = ParseStatus(ReadFile(statusPath), measured);
  if (!status) return damaged(name + ".status does not parse");
  f.status = std::move(*status);

  std::string rows = ReadFile(csvPath);
  const std::string header = TableHeader(e, plan);
  if (rows.compare(0, header.size(), header) != 0) return damaged(name + ".csv lacks this experiment's header");
  rows.erase(0, header.size());
  std::vector<std::vector<std::string>> records;
  if (!SplitRecords(rows, records)) return damaged(name + ".csv is cut short");
  const size_t cells = 5 + plan.columnNames().size() + measured;
  const std::string run = FormatInt(number);
  for (const auto& r : records)
    if (r.size() != cells || r[0] != run) return damaged(name + ".csv holds a row that is not one of this run's");
  // A run a stop condition ended keeps the rows before that step and the
  // step's own; its last row is at that step.
  size_t expected = 0;
  if (f.status.ok) {
    const std::vector<int64_t> rowSteps = RowSteps(e);
    const auto steps = static_cast<int64_t>(ParseNumber(f.status.steps).value);
    expected = rowSteps.size();
    if (!f.status.stopped.empty())
      expected = static_cast<size_t>(std::lower_bound(rowSteps.begin(), rowSteps.end(), steps) - rowSteps.begin()) + 1;
    if (expected > rowSteps.size() || (f.status.stopped.empty() && steps != e.steps))
      return damaged(name + ".status does not parse");
    if (!records.empty() && records.back()[3 + plan.columnNames().size()] != f.status.steps)
      return damaged(name + ".csv and " + name + ".status disagree on the steps");
  }
  if (records.size() != expected)
    return damaged(name + ".csv holds " + FormatInt(static_cast<int64_t>(records.size())) + " rows, not " +
                   FormatInt(static_cast<int64_t>(expected)));
  if (f.status.ok && !std::equal(f.status.finals.begin(), f.status.finals.end(), records.back().end() - measured))
    return damaged(name + ".csv and " + name + ".status disagree on the final measures");
  if (f.status.ok)
    for (int64_t step : PictureSteps(e))
      for (std::string_view layer : PictureLayers(e))
        if (const std::string picture = PictureFile(e, number, layer, step);
            !std::filesystem::exists(dir + "/" + picture, ec))
          return damaged(picture + " is missing");
  if (f.status.ok && e.pictures.movie && !std::filesystem::exists(dir + "/" + MovieFile(number), ec))
    return damaged(MovieFile(number) + " is missing");
  f.state = RunFiles::State::Complete;
  f.rows = std::move(rows);
  return f;
}

}  // namespace antraid::experiments
