#include "PostgresServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include "common/Error.h"
#include "common/QtText.h"

namespace tarvel::testing {
namespace {

const QString kBinaries = QStringLiteral("/usr/lib/postgresql/15/bin/");
const char* const kSuperuserPassword = "tarvel-superuser";

bool RunningAsRoot() {
  return geteuid() == 0;
}

// The server refuses to run as root; setpriv keeps the process tree simple (no extra fork), so
// the parent-death signal reaches the server itself.
QStringList AsServerUser(const QStringList& command, bool dieWithTestProcess = false) {
  if (!RunningAsRoot()) return command;
  QStringList wrapped{QStringLiteral("setpriv"), QStringLiteral("--reuid=postgres"),
                      QStringLiteral("--regid=postgres"), QStringLiteral("--clear-groups")};
  if (dieWithTestProcess) wrapped << QStringLiteral("--pdeathsig") << QStringLiteral("KILL");
  return wrapped + command;
}

void GiveToServerUser(const QString& path) {
  if (!RunningAsRoot()) return;
  const passwd* user = getpwnam("postgres");
  if (user == nullptr) throw TarvelError("There is no postgres user");
  if (chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) != 0) {
    throw TarvelError("Cannot give " + FromQString(path) + " to the postgres user");
  }
}

// Runs a command to its end; throws with its output when it fails.
std::string RunToEnd(
    QStringList command, const QString& workingFolder, const QByteArray& input = {},
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
  QProcess process;
  process.setProgram(command.takeFirst());
  process.setArguments(command);
  process.setWorkingDirectory(workingFolder);
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start();
  process.write(input);
  process.closeWriteChannel();
  const bool finished = process.waitForFinished(120000);
  const std::string output = process.readAll().toStdString();
  if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    throw TarvelError(FromQString(process.program()) +
                      " failed: " + FromQString(process.errorString()) + "\n" + output);
  }
  return output;
}

}  // namespace

int FreeLoopbackPort() {
  const int socketHandle = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  const bool bound =
      bind(socketHandle, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(socketHandle, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  close(socketHandle);
  if (!bound) throw TarvelError("No free loopback port");
  return ntohs(address.sin_port);
}

PostgresServer::PostgresServer(int port) {
  if (!dir_.isValid()) throw TarvelError("Cannot create a folder for the PostgreSQL server");
  GiveToServerUser(dir_.path());
  const QString passwordFile = dir_.filePath(QStringLiteral("superuser-password"));
  QFile file(passwordFile);
  if (!file.open(QIODevice::WriteOnly)) throw TarvelError("Cannot write the password file");
  file.write(kSuperuserPassword);
  file.close();
  GiveToServerUser(passwordFile);
  RunToEnd(
      AsServerUser({kBinaries + "initdb", "-D", DataFolder(), "--no-locale", "-E", "UTF8", "-A",
                    "scram-sha-256", "-U", "postgres", "--pwfile=" + passwordFile, "--no-sync"}),
      dir_.path());
  // A free port can be taken by someone else before the server binds it: try another.
  const int attempts = port == 0 ? 3 : 1;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (Start(port == 0 ? FreeLoopbackPort() : port)) return;
  }
  QFile log(dir_.filePath(QStringLiteral("server.log")));
  log.open(QIODevice::ReadOnly);
  throw TarvelError("The PostgreSQL server did not start:\n" + log.readAll().toStdString());
}

PostgresServer::~PostgresServer() {
  Stop();
}

std::string PostgresServer::folder() const {
  return FromQString(dir_.path());
}

QString PostgresServer::DataFolder() const {
  return dir_.filePath(QStringLiteral("data"));
}

bool PostgresServer::Start(int port) {
  port_ = port;
  QStringList command =
      AsServerUser({kBinaries + "postgres", "-D", DataFolder(), "-p", QString::number(port_), "-k",
                    dir_.path(), "-c", "listen_addresses=127.0.0.1", "-c", "fsync=off"},
                   true);
  server_.setProgram(command.takeFirst());
  server_.setArguments(command);
  server_.setWorkingDirectory(dir_.path());
  server_.setProcessChannelMode(QProcess::MergedChannels);
  server_.setStandardOutputFile(dir_.filePath(QStringLiteral("server.log")), QIODevice::Append);
  server_.start();
  if (!server_.waitForStarted()) return false;
  const QDeadlineTimer deadline(60000);
  while (!deadline.hasExpired()) {
    if (server_.state() == QProcess::NotRunning) return false;
    QProcess ready;
    ready.start(kBinaries + "pg_isready",
                {"-q", "-h", "127.0.0.1", "-p", QString::number(port_), "-t", "1"});
    if (ready.waitForFinished(10000) && ready.exitStatus() == QProcess::NormalExit &&
        ready.exitCode() == 0) {
      return true;
    }
    QThread::msleep(100);
  }
  server_.kill();
  server_.waitForFinished();
  return false;
}

void PostgresServer::RunSql(const std::string& database, const std::string& sql) const {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("PGPASSWORD"), QString::fromLatin1(kSuperuserPassword));
  RunToEnd({kBinaries + "psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1", "-p",
            QString::number(port_), "-U", "postgres", "-d", ToQString(database), "-f", "-"},
           dir_.path(), QByteArray::fromStdString(sql), environment);
}

void PostgresServer::Stop() {
  if (server_.state() == QProcess::NotRunning) return;
  QProcess stop;
  QStringList command =
      AsServerUser({kBinaries + "pg_ctl", "stop", "-D", DataFolder(), "-m", "immediate", "-w"});
  stop.setWorkingDirectory(dir_.path());
  stop.start(command.takeFirst(), command);
  stop.waitForFinished(60000);
  if (!server_.waitForFinished(60000)) {
    server_.kill();
    server_.waitForFinished();
  }
}

}  // namespace tarvel::testing
