#include "batch/UnifiedDiff.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <random>

#include "Files.h"
#include "common/QtText.h"

namespace tarvel {
namespace {

std::string Numbered(int from, int to, const char* end = "\n") {
  std::string text;
  for (int i = from; i <= to; ++i) text += std::to_string(i) + end;
  return text;
}

struct DiffCase {
  const char* name;
  std::string before;
  std::string after;
  std::string diff;
};

TEST(UnifiedDiff, ShowsEachChangeWithThreeLinesAround) {
  const std::string head = "--- f\n+++ f\n";
  const DiffCase cases[] = {
      {"equal", Numbered(1, 5), Numbered(1, 5), ""},
      {"one line in the middle", Numbered(1, 10), Numbered(1, 4) + "five\n" + Numbered(6, 10),
       head + "@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n"},
      {"changes six lines apart share a hunk", Numbered(1, 12),
       "one\n" + Numbered(2, 7) + "eight\n" + Numbered(9, 12),
       head + "@@ -1,11 +1,11 @@\n-1\n+one\n 2\n 3\n 4\n 5\n 6\n 7\n-8\n+eight\n 9\n 10\n 11\n"},
      {"changes seven lines apart do not", Numbered(1, 12),
       "one\n" + Numbered(2, 8) + "nine\n" + Numbered(10, 12),
       head + "@@ -1,4 +1,4 @@\n-1\n+one\n 2\n 3\n 4\n@@ -6,7 +6,7 @@\n 6\n 7\n 8\n-9\n+nine\n "
              "10\n 11\n 12\n"},
      {"into an empty file", "", "a\nb\n", head + "@@ -0,0 +1,2 @@\n+a\n+b\n"},
      {"CR LF ends shown as lines", "a\r\nb\r\n", "a\r\nc\r\n",
       head + "@@ -1,2 +1,2 @@\n a\n-b\n+c\n"},
      {"a last line without its end", "a\nb", "a\nb\n",
       head + "@@ -1,2 +1,2 @@\n a\n-b\n\\ No newline at end of file\n+b\n"},
  };
  for (const DiffCase& diffCase : cases) {
    EXPECT_EQ(UnifiedDiff(diffCase.before, diffCase.after, "f"), diffCase.diff) << diffCase.name;
  }
}

std::string RandomText(std::mt19937& random, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += std::string(1, static_cast<char>('a' + random() % 4)) + "\n";
  return text;
}

// GNU patch applies every diff to the text it came from and gives the other text back.
TEST(UnifiedDiff, PatchTurnsTheFirstTextIntoTheSecond) {
  QTemporaryDir dir;
  const std::string before = FromQString(dir.filePath("before"));
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    const std::string a = RandomText(random, static_cast<int>(random() % 30));
    const std::string b = RandomText(random, static_cast<int>(random() % 30));
    {
      QFile file(ToQString(before));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(a.data(), static_cast<qint64>(a.size()));
    }
    QProcess patch;
    patch.start(QStringLiteral("patch"), {QStringLiteral("-s"), QStringLiteral("-o"),
                                          dir.filePath("after"), ToQString(before)});
    ASSERT_TRUE(patch.waitForStarted()) << "patch is not installed";
    const std::string diff = UnifiedDiff(a, b, "before");
    patch.write(diff.data(), static_cast<qint64>(diff.size()));
    patch.closeWriteChannel();
    ASSERT_TRUE(patch.waitForFinished());
    const std::string patched = a == b ? a : testing::ReadWholeFile(dir.filePath("after"));
    EXPECT_EQ(patched, b) << a << "----\n" << b << "----\n" << diff;
    QFile::remove(dir.filePath("after"));
  }
}

}  // namespace
}  // namespace tarvel
