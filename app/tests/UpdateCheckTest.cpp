// The update check: the server's date header in its three forms, the calendar
// comparison with the program's date, the HEAD request and its GET fallback,
// the reasons it could not check, and the real HTTP client against a server
// on the loopback interface.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/ResMainForm.h"
#include "app/UpdateCheck.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace UpdateCheckTest {

namespace {

using ResMainForm::TSystemTime;

const std::string Url = "https://example.org/kelmvev2er.zip";

THttpResponse Answer(int Status, const std::string& LastModified = {}) {
  THttpResponse response;
  response.Status = Status;
  if (!LastModified.empty()) response.Headers["last-modified"] = LastModified;
  return response;
}

bool SameDate(const TSystemTime& A, const TSystemTime& B) {
  return A.Year == B.Year && A.Month == B.Month && A.Day == B.Day && A.Hour == B.Hour && A.Minute == B.Minute &&
         A.Second == B.Second;
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Forms::EnsureToolkit();
    Seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
  }
  TScriptedUserSeam Seam;
};

TEST_F(UpdateCheckTest, ReadsTheThreeHttpDateForms) {
  struct TCase {
    const char* Text;
    TSystemTime Date;
  };
  const TCase cases[] = {
      {"Sun, 06 Nov 1994 08:49:37 GMT", {1994, 11, 6, 8, 49, 37}},
      {"Sunday, 06-Nov-94 08:49:37 GMT", {1994, 11, 6, 8, 49, 37}},
      {"Sun Nov  6 08:49:37 1994", {1994, 11, 6, 8, 49, 37}},
      {"Sun Nov 16 08:49:37 1994", {1994, 11, 16, 8, 49, 37}},
      {"Wednesday, 09-Jun-21 23:59:60 GMT", {2021, 6, 9, 23, 59, 60}},
      {"Thu, 00 Jan 0000 00:00:00 GMT", {0, 1, 0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const auto date = ResMainForm::ParseHttpDate(c.Text);
    ASSERT_TRUE(date);
    EXPECT_TRUE(SameDate(*date, c.Date));
  }
}

TEST_F(UpdateCheckTest, DamagedDatesAreNotRead) {
  const char* damaged[] = {
      "",
      "yesterday",
      "Sun, 06 Nov 1994 08:49:37",        // no zone
      "Sun, 06 Nov 1994 08:49:37 GMT x",  // trailing text
      "Sun, 6 Nov 1994 08:49:37 GMT",
      "Sun, 06 Nob 1994 08:49:37 GMT",
      "Sun, 06 Nov 94 08:49:37 GMT",
      "Sun, 06 Nov 1994 08-49-37 GMT",
      "Sunday, 06-Nov-1994 08:49:37 GMT",
      "Sun Nov 6 08:49:37 1994",
      "Sun Nov  6 08:49:37",
      "Xyz, 06 Nov 1994 08:49:37 GMT",
      "Sun, 0\xff Nov 1994 08:49:37 GMT",
      "Sun, 06 Nov 1994 08:4",
  };
  for (const char* text : damaged) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ResMainForm::ParseHttpDate(text));
  }
}

TEST_F(UpdateCheckTest, EmptyDateIsAZeroYearMonthOrDay) {
  const struct {
    TSystemTime Date;
    bool Empty;
  } cases[] = {{{2026, 1, 31}, false}, {{0, 1, 31}, true}, {{2026, 0, 31}, true}, {{2026, 1, 0}, true}, {{}, true}};
  for (const auto& c : cases) EXPECT_EQ(ResMainForm::IsEmptyDate(c.Date), c.Empty);
}

TEST_F(UpdateCheckTest, UtcBecomesTheLocalCalendarDate) {
  // Seconds since 1970 of both instants, from an independent calendar.
  const struct {
    TSystemTime Utc;
    std::time_t Epoch;
  } cases[] = {{{2026, 2, 1, 12, 0, 0}, 1769947200}, {{1994, 11, 6, 8, 49, 37}, 784111777}};
  for (const auto& c : cases) {
    std::tm local{};
    ASSERT_TRUE(localtime_r(&c.Epoch, &local));
    const TSystemTime expected{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                               local.tm_hour,        local.tm_min,     local.tm_sec};
    EXPECT_TRUE(SameDate(ResMainForm::UtcToLocal(c.Utc), expected));
  }
}

TEST_F(UpdateCheckTest, ProgramDateIsTheLocalDateOfTheRunningFile) {
  const auto stamp = std::filesystem::last_write_time(Application->ExeName());
  const auto since = std::chrono::file_clock::to_sys(stamp);
  const std::time_t time = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(since));
  std::tm local{};
  ASSERT_TRUE(localtime_r(&time, &local));
  const TSystemTime date = ResMainForm::ProgramFileDate();
  EXPECT_EQ(date.Year, local.tm_year + 1900);
  EXPECT_EQ(date.Month, local.tm_mon + 1);
  EXPECT_EQ(date.Day, local.tm_mday);
}

// Noon in GMT is the same calendar day in every time zone.
TEST_F(UpdateCheckTest, ANewerArchiveOpensTheAddressAndAnotherShowsItsDate) {
  struct TCase {
    TSystemTime Local;
    std::string Header;
    std::string Message;  // empty: the address opens
  };
  const TCase cases[] = {
      {{2026, 1, 31}, "Sat, 31 Jan 2026 12:00:00 GMT", "Last version : 2026 1 31"},
      {{2026, 1, 31}, "Fri, 30 Jan 2026 12:00:00 GMT", "Last version : 2026 1 30"},
      {{2026, 3, 1}, "Wed, 01 Jan 2025 12:00:00 GMT", "Last version : 2025 1 1"},
      {{2026, 1, 30}, "Sat, 31 Jan 2026 12:00:00 GMT", ""},
      // The first of February is a day after the 31st of January.
      {{2026, 1, 31}, "Sun, 01 Feb 2026 12:00:00 GMT", ""},
      {{2026, 1, 31}, "Sunday, 01-Feb-26 12:00:00 GMT", ""},
      {{2026, 1, 31}, "Sun Feb  1 12:00:00 2026", ""},
      {{2025, 12, 31}, "Thu, 01 Jan 2026 12:00:00 GMT", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Header);
    TScriptedUserSeam seam;
    seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    seam.AnswerHttp(Answer(200, c.Header));
    if (c.Message.empty())
      seam.AnswerShell(true);
    else
      seam.AnswerMessage(mrOk);
    EXPECT_EQ(ResMainForm::CheckForUpdates(Url, c.Local), c.Message.empty());
    ASSERT_EQ(seam.Prompts().size(), 2u);
    EXPECT_EQ(seam.Prompts()[0].Caption, "HEAD");
    EXPECT_EQ(seam.Prompts()[0].Text, Url);
    if (c.Message.empty()) {
      EXPECT_EQ(seam.Prompts()[1].Kind, TPromptKind::Shell);
      EXPECT_EQ(seam.Prompts()[1].Text, Url);
    } else {
      EXPECT_EQ(seam.Prompts()[1].Text, c.Message);
    }
  }
}

TEST_F(UpdateCheckTest, AServerRefusingHeadIsAskedWithGet) {
  for (int refusal : {405, 501}) {
    SCOPED_TRACE(refusal);
    TScriptedUserSeam seam;
    seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    seam.AnswerHttp(Answer(refusal));
    seam.AnswerHttp(Answer(200, "Sat, 31 Jan 2026 12:00:00 GMT"));
    seam.AnswerMessage(mrOk);
    EXPECT_FALSE(ResMainForm::CheckForUpdates(Url, {2026, 1, 31}));
    ASSERT_EQ(seam.Prompts().size(), 3u);
    EXPECT_EQ(seam.Prompts()[0].Caption, "HEAD");
    EXPECT_EQ(seam.Prompts()[1].Caption, "GET");
    EXPECT_EQ(seam.Prompts()[2].Text, "Last version : 2026 1 31");
  }
}

TEST_F(UpdateCheckTest, WhenItCannotCheckItSaysWhy) {
  struct TCase {
    THttpResponse Response;
    std::string Reason;
  };
  THttpResponse refused = Answer(0);
  refused.Error = "Connection refused";
  THttpResponse timedOut = Answer(0);
  timedOut.Error = "no answer within 15000 ms";
  const TCase cases[] = {
      {Answer(0), "no connection to the server"},
      {refused, "Connection refused"},
      {timedOut, "no answer within 15000 ms"},
      {Answer(404, "Sat, 31 Jan 2026 12:00:00 GMT"), "the server answered with status 404"},
      {Answer(200), "the server gave no date of the archive"},
      {Answer(200, "soon"), "the archive's date \"soon\" is not readable"},
      {Answer(200, "Tue, 31 Feb 2026 12:00:00 GMT"),
       "the archive's date \"Tue, 31 Feb 2026 12:00:00 GMT\" is not readable"},
      {Answer(200, "Thu, 00 Jan 0000 00:00:00 GMT"), "the server gave an empty date of the archive"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Reason);
    TScriptedUserSeam seam;
    seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    seam.AnswerHttp(c.Response);
    seam.AnswerMessage(mrOk);
    EXPECT_FALSE(ResMainForm::CheckForUpdates(Url, {2026, 1, 31}));
    ASSERT_EQ(seam.Prompts().size(), 2u);
    EXPECT_EQ(seam.Prompts()[1].Text, "Could not check for updates: " + c.Reason);
  }
}

TEST_F(UpdateCheckTest, TheAddressIsTheProgramSettingElseTheBuiltInOne) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.OpenKey(ResMainForm::SettingsKey, true);
  registry.DeleteValue("UpdateURL");
  EXPECT_EQ(ResMainForm::UpdateUrl(), ResMainForm::DefaultUpdateUrl);
  registry.WriteString("UpdateURL", "http://127.0.0.1:8080/k.zip");
  EXPECT_EQ(ResMainForm::UpdateUrl(), "http://127.0.0.1:8080/k.zip");
  registry.DeleteValue("UpdateURL");
}

// ---- the program's HTTP client against a local server ----

// Answers prompts from the script but sends HTTP requests for real.
class TLoopbackSeam : public TScriptedUserSeam {
 public:
  THttpResponse Http(const THttpRequest& Request) override {
    Methods.push_back(Request.Method);
    return UserSeam::QtSeam().Http(Request);
  }
  std::vector<std::string> Methods;
};

// A server on the loopback interface that keeps what each request sent and
// answers with Reply, or never when Reply is empty.
class TLocalServer {
 public:
  explicit TLocalServer(std::string Reply) : FReply(std::move(Reply)) {
    QObject::connect(&FServer, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = FServer.nextPendingConnection()) {
        Requests.emplace_back();
        const size_t index = Requests.size() - 1;
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket, index] {
          Requests[index] += socket->readAll().toStdString();
          if (Requests[index].find("\r\n\r\n") != std::string::npos && !FReply.empty()) {
            socket->write(QByteArray::fromStdString(FReply));
            socket->flush();
            socket->disconnectFromHost();
          }
        });
      }
    });
    FServer.listen(QHostAddress::LocalHost, 0);
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(FServer.serverPort()) + "/kelmvev2er.zip"; }
  bool Listening() const { return FServer.isListening(); }
  std::vector<std::string> Requests;

 private:
  std::string FReply;
  QTcpServer FServer;
};

TEST_F(UpdateCheckTest, TheHeadRequestReachesTheServerWithItsNameAndNoCache) {
  TLocalServer server(
      "HTTP/1.1 200 OK\r\nLast-Modified: Sun, 06 Nov 1994 12:00:00 GMT\r\nContent-Length: 0\r\nConnection: "
      "close\r\n\r\n");
  ASSERT_TRUE(server.Listening());
  TLoopbackSeam seam;
  seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
  seam.AnswerMessage(mrOk);
  EXPECT_FALSE(ResMainForm::CheckForUpdates(server.Url(), {2026, 1, 31}, 5000));
  ASSERT_EQ(server.Requests.size(), 1u);
  const std::string& request = server.Requests[0];
  EXPECT_EQ(request.rfind("HEAD /kelmvev2er.zip HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nUser-Agent: LastModifiedRss\r\n"), std::string::npos) << request;
  EXPECT_NE(request.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << request;
  ASSERT_EQ(seam.Prompts().size(), 1u);
  EXPECT_EQ(seam.Prompts()[0].Text, "Last version : 1994 11 6");
}

TEST_F(UpdateCheckTest, AServerThatNeverAnswersEndsTheCheckWithinTheTimeOut) {
  TLocalServer server("");
  ASSERT_TRUE(server.Listening());
  TLoopbackSeam seam;
  seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
  seam.AnswerMessage(mrOk);
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(ResMainForm::CheckForUpdates(server.Url(), {2026, 1, 31}, 300));
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_EQ(server.Requests.size(), 1u);
  EXPECT_EQ(seam.Methods, std::vector<std::string>{"HEAD"});
  ASSERT_EQ(seam.Prompts().size(), 1u);
  EXPECT_EQ(seam.Prompts()[0].Text, "Could not check for updates: no answer within 300 ms");
}

}  // namespace

}  // namespace UpdateCheckTest
