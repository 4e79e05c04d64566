#include "class_report.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "results_file.h"
#include "run/accepted_sites.h"
#include "run/bounded_read.h"

namespace app {

namespace {

// A field of a CSV line. A text that a spreadsheet would take for a formula (one that starts
// with =, +, -, @, a tab or a carriage return) is kept as text by a leading apostrophe, inside
// quotes; a field is quoted where it holds a comma, a quote or a line break too.
std::string csvField(const std::string& text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
  if (!formula && text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = formula ? "\"'" : "\"";
  for (const char c : text) {
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  }
  return quoted + "\"";
}

// A results file's bytes, or why it cannot be graded (`problem` not empty). What is read is
// bounded, whatever size the file claims.
struct FileBytes {
  std::string bytes, problem;
};
FileBytes resultsFileBytes(const std::string& path) {
  constexpr std::size_t kLargest = 16 << 20;  // far beyond a round of the most sites
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return {{}, "a folder without results files (.json)"};
  }
  std::ifstream input(path, std::ios::binary);
  if (!input) {
    return {{}, std::string("cannot be read: ") + std::strerror(errno)};
  }
  BoundedRead read = readAtMost(input, kLargest);
  if (read.failed) {
    return {{}, "cannot be read"};
  }
  if (read.tooLarge) {
    return {{}, "larger than 16 MB: no results file"};
  }
  return {std::move(read.bytes), {}};
}

// The files the names stand for: a file itself, a folder its results files (those ending
// in .json, in the order of their names, the folder's own files only).
std::vector<std::string> filesNamed(const std::vector<std::string>& names) {
  std::vector<std::string> files;
  for (const std::string& name : names) {
    std::error_code error;
    if (!std::filesystem::is_directory(name, error)) {
      files.push_back(name);
      continue;
    }
    std::vector<std::string> inFolder;
    for (const auto& entry : std::filesystem::directory_iterator(name, error)) {
      if (entry.path().extension() == ".json" && !entry.is_directory(error)) {
        inFolder.push_back(entry.path().string());
      }
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
    if (inFolder.empty()) {
      files.push_back(name);  // said to hold no results file when read
    }
  }
  return files;
}

// Why the file's sites are not the layout its seed gives, if they are not.
std::optional<std::string> notTheSeedsLayout(const ExerciseResults& results) {
  const std::string which = "sites are not seed " + std::to_string(results.seed) + "'s layout";
  try {
    if (exerciseLayout(results.seed) == results.sites) {
      return std::nullopt;
    }
  } catch (const std::runtime_error&) {
    return which + ": that seed gives none";
  }
  return which + ": no grade";
}

// A file graded, as the summary counts it.
struct GradedFile {
  ExerciseResults results;
  GradedResults graded;
};

// What a verdict is about: "edge 1-2", "piece 1-3", "cut 4 on 1-3", from its line, which
// starts with right, wrong or missed and puts the reason after a colon.
std::string subjectOf(const Verdict& verdict) {
  const std::size_t from = verdict.line.find(' ') + 1;
  return verdict.line.substr(from, verdict.line.find(':', from) - from);
}

double fractionOf(const Score& score) {
  return score.outOf > 0 ? static_cast<double>(score.score) / score.outOf : 0;
}

std::string percent(double fraction) {
  return std::to_string(static_cast<int>(std::lround(100 * fraction))) + "%";
}

std::string summaryOf(const std::vector<GradedFile>& files, int skipped) {
  std::string text = "summary: " + std::to_string(files.size()) + " files graded, " +
                     std::to_string(skipped) + " skipped";
  if (files.empty()) {
    return text + "\n";
  }
  std::vector<double> fractions;
  double sum = 0;
  for (const GradedFile& file : files) {
    fractions.push_back(fractionOf(file.graded.score));
    sum += fractions.back();
  }
  std::sort(fractions.begin(), fractions.end());
  const std::size_t middle = fractions.size() / 2;
  const double median = fractions.size() % 2 == 1 ? fractions[middle]
                                                  : (fractions[middle - 1] + fractions[middle]) / 2;
  text += "; mean score " + percent(sum / static_cast<double>(files.size())) + ", median " +
          percent(median) + "\n";
  // The layouts files share, each its kind on a seed, in the order they first come.
  std::vector<std::pair<ExerciseKind, std::uint32_t>> layouts;
  for (const GradedFile& file : files) {
    const std::pair layout{file.results.kind, file.results.seed};
    if (std::find(layouts.begin(), layouts.end(), layout) == layouts.end()) {
      layouts.push_back(layout);
    }
  }
  for (const auto& [kind, seed] : layouts) {
    struct Misses {
      std::size_t first;  // where it first came, to keep ties in the files' order
      int wrong = 0, missed = 0;
    };
    std::map<std::string, Misses> subjects;
    int count = 0;
    for (const GradedFile& file : files) {
      if (file.results.kind != kind || file.results.seed != seed) {
        continue;
      }
      ++count;
      for (const Verdict& verdict : file.graded.verdicts) {
        Misses& misses =
            subjects.try_emplace(subjectOf(verdict), Misses{subjects.size()}).first->second;
        misses.wrong += verdict.is == Verdict::Is::Wrong ? 1 : 0;
        misses.missed += verdict.is == Verdict::Is::Missed ? 1 : 0;
      }
    }
    std::vector<std::pair<std::string, Misses>> hardest(subjects.begin(), subjects.end());
    std::erase_if(hardest, [](const auto& s) { return s.second.wrong + s.second.missed == 0; });
    std::sort(hardest.begin(), hardest.end(), [](const auto& l, const auto& r) {
      const int left = l.second.wrong + l.second.missed, right = r.second.wrong + r.second.missed;
      return left != right ? left > right : l.second.first < r.second.first;
    });
    text += "summary: " + std::string(infoOf(kind).name) + " on seed " + std::to_string(seed) +
            ", " + std::to_string(count) + (count == 1 ? " file" : " files") +
            (hardest.empty() ? ": nothing wrong\n" : ", what went wrong, hardest first:\n");
    for (const auto& [subject, misses] : hardest) {
      text += "summary:   " + subject + ": " + std::to_string(misses.wrong + misses.missed) +
              " of " + std::to_string(count) + " (";
      text += misses.wrong > 0 ? "wrong " + std::to_string(misses.wrong) : "";
      text += misses.wrong > 0 && misses.missed > 0 ? ", " : "";
      text += misses.missed > 0 ? "missed " + std::to_string(misses.missed) : "";
      text += ")\n";
    }
  }
  return text;
}

}  // namespace

ClassReport gradeFiles(const std::vector<std::string>& names, ReportForm form) {
  ClassReport report;
  if (form == ReportForm::Table) {
    report.lines =
        "file,name,kind,seed,right,wrong,missed,score,out of,stored score matches,skipped\n";
  }
  std::vector<GradedFile> graded;
  for (const std::string& file : filesNamed(names)) {
    const auto skip = [&](const std::string& reason) {
      report.problems += file + ": skipped: " + reason + "\n";
      ++report.skipped;
      if (form == ReportForm::Table) {
        report.lines += csvField(file) + ",,,,,,,,,," + csvField(reason) + "\n";
      }
    };
    const FileBytes read = resultsFileBytes(file);
    if (!read.problem.empty()) {
      skip(read.problem);
      continue;
    }
    const auto parsed = parseResults(read.bytes);
    if (const auto* reason = std::get_if<std::string>(&parsed)) {
      skip(*reason);
      continue;
    }
    const ExerciseResults& results = std::get<ExerciseResults>(parsed);
    const geometry::SiteColumns sites = *acceptedSites(results.sites);
    if (const auto problem = layoutProblem(sites)) {
      skip(*problem);
      continue;
    }
    if (const auto problem = notTheSeedsLayout(results)) {
      skip(*problem);
      continue;
    }
    graded.push_back({results, gradeResults(results, sites)});
    const GradedResults& grades = graded.back().graded;
    const Score& score = grades.score;
    switch (form) {
      case ReportForm::Table:
        report.lines += csvField(file) + "," + csvField(results.name) + "," +
                        infoOf(results.kind).name + "," + std::to_string(results.seed) + "," +
                        std::to_string(score.right) + "," + std::to_string(score.wrong) + "," +
                        std::to_string(score.missed) + "," + std::to_string(score.score) + "," +
                        std::to_string(score.outOf) + "," +
                        (grades.storedScoreMatches ? "yes" : "no") + ",\n";
        break;
      case ReportForm::Lines:
        for (const Verdict& verdict : grades.verdicts) {
          report.lines += file + ": " + verdict.line + "\n";
        }
        report.lines += file + ": right " + std::to_string(score.right) + ", wrong " +
                        std::to_string(score.wrong) + ", missed " + std::to_string(score.missed) +
                        (grades.storedScoreMatches ? "" : ", stored score differs") + "\n";
        break;
      case ReportForm::Summary:
        break;
    }
  }
  if (form == ReportForm::Summary) {
    report.lines = summaryOf(graded, report.skipped);
  }
  return report;
}

}  // namespace app
