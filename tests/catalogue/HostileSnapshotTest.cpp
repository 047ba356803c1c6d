#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "Files.h"
#include "ReaderTestSupport.h"
#include "catalogue/DictionaryDatabase.h"
#include "catalogue/PackageList.h"
#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

// Lists the packages and reads every listed one: what a run does with the file.
class ListingSink : public PackageListSink {
 public:
  void clear() override { names.clear(); }
  void add(const std::string& caption, PackageEntryKind kind) override {
    names.push_back(kind == kOutsidePackagesEntry ? "" : caption);
  }
  void finish() override {}
  std::vector<std::string> names;
};

// The failure of logging on, listing or reading; or "read", the entries listed and the reader's
// warnings.
std::string Outcome(const std::string& path) {
  DictionaryConnection connection;
  ListingSink sink;
  RecordingListener listener;
  try {
    ConnectAndListPackages(connection, {"hr", "", path}, sink);
    LoadDatabase(connection, "HR", sink.names, {}, listener);
  } catch (const TarvelError& error) {
    return error.what();
  }
  std::string outcome = "read";
  for (const std::string& name : sink.names) outcome += " " + (name.empty() ? "(outside)" : name);
  for (const std::string& event : listener.events) {
    if (event != "package read") outcome += "; " + event;
  }
  return outcome;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  QFile file(ToQString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

// The snapshot schema with texts of it replaced, each every time it occurs.
std::string SchemaWith(const std::vector<std::pair<std::string, std::string>>& changes) {
  std::string schema = SnapshotTablesSql();
  for (const auto& [from, to] : changes) {
    for (std::size_t at = schema.find(from); at != std::string::npos;
         at = schema.find(from, at + to.size())) {
      schema.replace(at, from.size(), to);
    }
  }
  return schema;
}

const std::string kRows =
    Insert(ObjectRow{.object = "PKG"}) + Insert(ProcedureRow{.object = "PKG"}) +
    Insert(ProcedureRow{.object = "PKG", .procedure = "DO_IT"}) +
    Insert(ArgumentRow{.package = "PKG", .routine = "DO_IT", .argument = "P_ID", .type = "NUMBER"});

struct Hostile {
  const char* what;
  std::function<std::string(const std::string& path)> make;  // writes the file at path
  std::string outcome;                                       // "$" stands for the path
};

std::string Built(const std::string& path, const std::string& schema) {
  BuildSnapshotFile(path, schema + ";\n" + kRows);
  return path;
}

// The demo snapshot cut after `size` bytes; a negative size counts from its end.
std::function<std::string(const std::string&)> DemoCutAt(long size) {
  return [size](const std::string& path) {
    const std::string whole = ReadWholeFile(TARVEL_DEMO_SNAPSHOT);
    WriteFile(path, whole.substr(0, size >= 0 ? size : whole.size() + size));
    return path;
  };
}

// The pages of the three tables and their indexes overwritten, the schema's pages left: the rows
// are damaged.
std::string Damaged(const std::string& path) {
  Built(path, SnapshotTablesSql());
  std::vector<int> rootPages;
  const QString name = QStringLiteral("damaged-pages");
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(ToQString(path));
    EXPECT_TRUE(database.open());
    QSqlQuery query(QStringLiteral("select rootpage from sqlite_master where tbl_name in "
                                   "('dba_objects', 'all_arguments', 'all_procedures')"),
                    database);
    while (query.next()) rootPages.push_back(query.value(0).toInt());
  }
  QSqlDatabase::removeDatabase(name);
  constexpr std::size_t kPageSize = 4096;
  std::string bytes = ReadWholeFile(path);
  for (const int page : rootPages) {
    for (std::size_t i = (page - 1) * kPageSize; i < page * kPageSize && i < bytes.size(); ++i) {
      bytes[i] = static_cast<char>(0x5a);
    }
  }
  WriteFile(path, bytes);
  return path;
}

const std::vector<Hostile> kHostileSnapshots{
    {"whole", [](const std::string& path) { return Built(path, SnapshotTablesSql()); }, "read PKG"},
    {"a package listed twice and one without a name",
     [](const std::string& path) {
       return Built(path, SnapshotTablesSql() + ";\n" + Insert(ObjectRow{.object = "PKG"}) +
                              "insert into dba_objects (OWNER, OBJECT_NAME, OBJECT_TYPE) values "
                              "('HR', '', 'PACKAGE')");
     },
     "read PKG"},
    {"cut inside the magic text", DemoCutAt(10),
     "$ is not a dictionary snapshot: it is not an SQLite database"},
    {"cut inside the header", DemoCutAt(99), "$ is truncated"},
    {"cut after the header", DemoCutAt(100), "$ is truncated"},
    {"cut after the first page", DemoCutAt(4096), "$ is truncated"},
    {"cut at a later page's end", DemoCutAt(-4096), "$ is truncated"},
    {"cut inside the last page", DemoCutAt(-1), "$ is truncated"},
    {"cut inside the last page's first half", DemoCutAt(-3000), "$ is truncated"},
    {"name columns compared without case",
     [](const std::string& path) {
       return Built(path, SchemaWith({{"OBJECT_NAME text,", "OBJECT_NAME text collate nocase,"}}));
     },
     "$ is not a dictionary snapshot: all_arguments.OBJECT_NAME compares with collation NOCASE, "
     "not BINARY; all_procedures.OBJECT_NAME compares with collation NOCASE, not BINARY"},
    {"columns without declared types",
     [](const std::string& path) {
       return Built(path,
                    SchemaWith({{"OVERLOAD text", "OVERLOAD"}, {"POSITION integer", "POSITION"}}));
     },
     "$ is not a dictionary snapshot: all_arguments.OVERLOAD is not declared text; "
     "all_arguments.POSITION is not declared integer; all_procedures.OVERLOAD is not declared "
     "text"},
    {"positions as numbers that are no integers",
     [](const std::string& path) {
       return Built(path, SchemaWith({{"POSITION integer", "POSITION numeric"}}));
     },
     "$ is not a dictionary snapshot: all_arguments.POSITION is not declared integer"},
    {"a generated column",
     [](const std::string& path) {
       return Built(path, SnapshotTablesSql() +
                              ";\nalter table dba_objects add column BIG text generated always as "
                              "(printf('%.*c', 1000000, 'x')) virtual");
     },
     "$ is not a dictionary snapshot: table dba_objects has the generated column BIG"},
    {"damaged pages", Damaged, "$: database disk image is malformed"},
    {"an argument row twice",
     [](const std::string& path) {
       return Built(
           path,
           SnapshotTablesSql() + ";\n" +
               Insert(ArgumentRow{
                   .package = "PKG", .routine = "DO_IT", .argument = "P_ID", .type = "NUMBER"}));
     },
     "read PKG; warning: Two arguments at position 1 in :HR.PKG.DO_IT"},
    {"arguments and routines without names",
     [](const std::string& path) {
       return Built(
           path,
           SnapshotTablesSql() + ";\n" +
               Insert(ProcedureRow{.object = "PKG", .procedure = "NAMELESS"}) +
               Insert(ArgumentRow{
                   .package = "PKG", .routine = "NAMELESS", .position = 2, .type = "NUMBER"}) +
               "insert into all_procedures (OWNER, OBJECT_NAME, PROCEDURE_NAME, "
               "OBJECT_TYPE) values ('HR', 'PKG', '', 'PACKAGE')");
     },
     "read PKG; warning: A routine without a name in :HR.PKG.; warning: An argument without a "
     "name at position 2 in :HR.PKG.NAMELESS"},
    {"names holding a parameter marker",
     [](const std::string& path) {
       return Built(path, SnapshotTablesSql() + ";\n" + Insert(ObjectRow{.object = "P?"}) +
                              Insert(ProcedureRow{.object = "P?", .procedure = "DO_IT"}) +
                              Insert(ProcedureRow{.object = "PKG", .procedure = "WHO?"}));
     },
     "read P? PKG; warning: A name holding \"?\" in :HR.P?.DO_IT; warning: A name holding \"?\" "
     "in :HR.PKG.WHO?"},
};

class HostileSnapshots : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileSnapshots, ReadAsTheDictionaryWouldOrFailSaying) {
  const QTemporaryDir dir;
  const std::string path = GetParam().make(FromQString(dir.filePath("hostile.snapshot")));
  std::string expected = GetParam().outcome;
  if (const std::size_t at = expected.find('$'); at != std::string::npos) {
    expected.replace(at, 1, path);
  }
  EXPECT_EQ(Outcome(path), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileSnapshots, ::testing::ValuesIn(kHostileSnapshots),
                         [](const ::testing::TestParamInfo<Hostile>& info) {
                           std::string name;
                           for (const char* c = info.param.what; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

// A server that sorts names linguistically, as Oracle may: GET_B before GETB, later overloads
// first. Only the order of the rows differs from the snapshot it reads.
class LinguisticServer : public DictionaryDatabase {
 public:
  explicit LinguisticServer(const std::string& path) : snapshot_(OpenSnapshotDatabase(path)) {}

  std::unique_ptr<DictionaryRows> run(const DictionaryStatement& statement) override {
    std::string shape(statement.shape);
    if (const std::size_t order = shape.rfind(" order by 1, 2"); order != std::string::npos) {
      shape = "select * from (" + shape.substr(0, order) +
              ") order by replace(object_name, '_', '') desc, length(overload) desc, overload "
              "desc";
    }
    return snapshot_->run(DictionaryStatement{shape, statement.values});
  }
  bool isServer() const override { return true; }

 private:
  std::unique_ptr<DictionaryDatabase> snapshot_;
};

TEST(RoutineOrder, IsTheOrderOfTheNamesBytesWhateverOrderTheServerSortsIn) {
  std::string rows = Insert(ObjectRow{.object = "PKG"}) +
                     Insert(ProcedureRow{.object = "PKG", .procedure = "GETB"}) +
                     Insert(ProcedureRow{.object = "PKG", .procedure = "GET_B"});
  for (const auto& [overload, type] :
       {std::pair{"1", "NUMBER"}, std::pair{"2", "DATE"}, std::pair{"10", "VARCHAR2"}}) {
    rows += Insert(ArgumentRow{.package = "PKG",
                               .routine = "PUT",
                               .overload = overload,
                               .argument = std::string("P_") + overload,
                               .type = type});
  }
  const TemporarySnapshot snapshot(rows);
  DictionaryConnection server(std::make_unique<LinguisticServer>(snapshot.path()));
  RecordingListener listener;
  const std::unique_ptr<TOraPackage> package = LoadPackage(server, "HR", "PKG", {}, listener);
  std::vector<std::string> order;
  for (const TOraProcedure& routine : package->Procedures) {
    order.push_back(routine.DbName.str() + (routine.Parameters.Empty()
                                                ? ""
                                                : " " + routine.Parameters.Items(0).DbName.str()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"GETB", "GET_B", "PUT P_1", "PUT P_10", "PUT P_2"}));
}

}  // namespace
}  // namespace tarvel::testing
