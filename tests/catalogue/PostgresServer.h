#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace tarvel::testing {

// A PostgreSQL 15 server of the test's own: a fresh cluster in a temporary folder, password
// log-on only, listening on a free loopback port with its socket in that folder. Run as the
// postgres user when the tests run as root. It dies with the test process, so a crashed run
// never leaves one behind to block the next.
class PostgresServer {
 public:
  // On the given port, or on a free one when it is 0. Throws TarvelError when the server cannot
  // be started.
  explicit PostgresServer(int port = 0);
  ~PostgresServer();
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  int port() const { return port_; }
  std::string folder() const;

  // Runs SQL text as the superuser on the database; throws TarvelError with psql's output.
  void RunSql(const std::string& database, const std::string& sql) const;

  // An immediate shutdown, as when the server goes away under its clients; harmless twice.
  void Stop();

 private:
  QString DataFolder() const;
  bool Start(int port);

  QTemporaryDir dir_;
  QProcess server_;
  int port_ = 0;
};

// The kernel's choice of a free loopback port; someone else may take it before it is used.
int FreeLoopbackPort();

}  // namespace tarvel::testing
