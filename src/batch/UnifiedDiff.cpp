#include "batch/UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace tarvel {

namespace {

constexpr std::size_t kContext = 3;
// Beyond this many changed lines the shortest edit is not sought: the changed middle is shown
// removed and added whole, which is still a correct diff. It bounds the search's memory.
constexpr int kMaxEdits = 2000;

// Each line with its line end, so that a line that differs only there still differs.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

enum class Edit { kKeep, kRemove, kAdd };

// Myers' greedy search for the shortest edit from a to b; trace[d] holds, for each diagonal
// k = x - y from -d to d, the furthest x reached with d edits.
class ShortestEdit {
 public:
  ShortestEdit(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b)
      : a_(a), b_(b) {}

  std::vector<Edit> edits(std::size_t from, std::size_t aEnd, std::size_t bEnd);

 private:
  bool downFrom(const std::vector<int>& previous, int d, int k) const {
    return k == -d || (k != d && previous[k - 1 + d - 1] < previous[k + 1 + d - 1]);
  }

  const std::vector<std::string_view>& a_;
  const std::vector<std::string_view>& b_;
};

std::vector<Edit> ShortestEdit::edits(std::size_t from, std::size_t aEnd, std::size_t bEnd) {
  const int n = static_cast<int>(aEnd - from);
  const int m = static_cast<int>(bEnd - from);
  const auto same = [&](int x, int y) { return a_[from + x] == b_[from + y]; };
  std::vector<std::vector<int>> trace;
  int found = -1;
  for (int d = 0; d <= std::min(n + m, kMaxEdits) && found < 0; ++d) {
    std::vector<int> reached(2 * d + 1, 0);
    for (int k = -d; k <= d; k += 2) {
      int x = d == 0                         ? 0
              : downFrom(trace.back(), d, k) ? trace.back()[k + 1 + d - 1]
                                             : trace.back()[k - 1 + d - 1] + 1;
      int y = x - k;
      while (x < n && y < m && same(x, y)) ++x, ++y;
      reached[k + d] = x;
      if (x >= n && y >= m) found = d;
    }
    trace.push_back(std::move(reached));
  }
  std::vector<Edit> edits;
  if (found < 0) {
    edits.assign(n, Edit::kRemove);
    edits.insert(edits.end(), m, Edit::kAdd);
    return edits;
  }
  // Back from the end, one edit and the equal lines before it at a time.
  int x = n;
  int y = m;
  for (int d = found; d > 0; --d) {
    const std::vector<int>& previous = trace[d - 1];
    const int k = x - y;
    const int previousK = downFrom(previous, d, k) ? k + 1 : k - 1;
    const int previousX = previous[previousK + d - 1];
    const int previousY = previousX - previousK;
    while (x > previousX && y > previousY) --x, --y, edits.push_back(Edit::kKeep);
    edits.push_back(x == previousX ? Edit::kAdd : Edit::kRemove);
    x = previousX;
    y = previousY;
  }
  edits.insert(edits.end(), x, Edit::kKeep);
  std::reverse(edits.begin(), edits.end());
  return edits;
}

// Moves each run of only added or only removed lines down for as long as the same line follows
// it, as diff does: a routine added after another then shows as the new routine with its closing
// lines, not as the other's closing lines and the new routine's beginning.
void SlideRunsDown(std::vector<Edit>& edits, const std::vector<std::string_view>& a,
                   const std::vector<std::string_view>& b) {
  std::size_t x = 0;
  std::size_t y = 0;
  for (std::size_t s = 0; s < edits.size();) {
    if (edits[s] == Edit::kKeep) {
      ++x, ++y, ++s;
      continue;
    }
    std::size_t end = s;
    std::size_t removed = 0;
    std::size_t added = 0;
    for (; end < edits.size() && edits[end] != Edit::kKeep; ++end) {
      ++(edits[end] == Edit::kAdd ? added : removed);
    }
    if (removed == 0 || added == 0) {
      const std::vector<std::string_view>& lines = added > 0 ? b : a;
      std::size_t first = added > 0 ? y : x;
      while (end < edits.size() && edits[end] == Edit::kKeep &&
             lines[first] == lines[first + (end - s)]) {
        std::swap(edits[s], edits[end]);
        ++s, ++end, ++first, ++x, ++y;
      }
    }
    x += removed;
    y += added;
    s = end;
  }
}

// Every line of both texts in order, each with its edit and line numbers.
struct Step {
  Edit edit;
  std::size_t before;  // index of the line in `before`, or of the next one when added
  std::size_t after;   // the same in `after`
};

std::vector<Step> Steps(const std::vector<std::string_view>& a,
                        const std::vector<std::string_view>& b) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t aEnd = a.size();
  std::size_t bEnd = b.size();
  while (aEnd > head && bEnd > head && a[aEnd - 1] == b[bEnd - 1]) --aEnd, --bEnd;

  std::vector<Edit> edits(head, Edit::kKeep);
  for (Edit edit : ShortestEdit(a, b).edits(head, aEnd, bEnd)) edits.push_back(edit);
  edits.insert(edits.end(), a.size() - aEnd, Edit::kKeep);
  SlideRunsDown(edits, a, b);

  std::vector<Step> steps;
  std::size_t i = 0;
  std::size_t j = 0;
  for (Edit edit : edits) {
    steps.push_back({edit, i, j});
    if (edit != Edit::kAdd) ++i;
    if (edit != Edit::kRemove) ++j;
  }
  return steps;
}

// "start,count" as diff writes it: a single line by its number alone, an empty range by the
// number of the line before it.
std::string Range(std::size_t first, std::size_t count) {
  if (count == 1) return std::to_string(first + 1);
  return std::to_string(count == 0 ? first : first + 1) + "," + std::to_string(count);
}

void AppendLine(std::string& out, char mark, std::string_view line) {
  out += mark;
  const bool ended = line.ends_with('\n');
  if (ended) line.remove_suffix(1);
  if (ended && line.ends_with('\r')) line.remove_suffix(1);
  out += line;
  out += '\n';
  if (!ended) out += "\\ No newline at end of file\n";
}

void AppendHunk(std::string& out, const std::vector<Step>& steps, std::size_t first,
                std::size_t last, const std::vector<std::string_view>& a,
                const std::vector<std::string_view>& b) {
  std::size_t removed = 0;
  std::size_t added = 0;
  for (std::size_t s = first; s < last; ++s) {
    if (steps[s].edit != Edit::kAdd) ++removed;
    if (steps[s].edit != Edit::kRemove) ++added;
  }
  out += "@@ -" + Range(steps[first].before, removed) + " +" + Range(steps[first].after, added) +
         " @@\n";
  for (std::size_t s = first; s < last; ++s) {
    const Step& step = steps[s];
    if (step.edit == Edit::kAdd) {
      AppendLine(out, '+', b[step.after]);
    } else {
      AppendLine(out, step.edit == Edit::kKeep ? ' ' : '-', a[step.before]);
    }
  }
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& label) {
  const std::vector<std::string_view> a = Lines(before);
  const std::vector<std::string_view> b = Lines(after);
  const std::vector<Step> steps = Steps(a, b);
  std::string out;
  // A hunk runs from the context before its first change to the context after its last, taking
  // in changes whose contexts touch.
  std::size_t s = 0;
  while (s < steps.size()) {
    while (s < steps.size() && steps[s].edit == Edit::kKeep) ++s;
    if (s == steps.size()) break;
    const std::size_t first = s >= kContext ? s - kContext : 0;
    std::size_t end = s;
    for (;;) {
      while (end < steps.size() && steps[end].edit != Edit::kKeep) ++end;
      std::size_t next = end;
      while (next < steps.size() && steps[next].edit == Edit::kKeep) ++next;
      if (next == steps.size() || next - end > 2 * kContext) break;
      end = next;
    }
    const std::size_t last = std::min(end + kContext, steps.size());
    if (out.empty()) out = "--- " + label + "\n+++ " + label + "\n";
    AppendHunk(out, steps, first, last, a, b);
    s = last;
  }
  return out;
}

}  // namespace tarvel
