// zurender studio over real HTTP on the loopback address: who it answers, what it serves, what it
// refuses, and the plug-in's modal menu and dialog waiting for the page.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <thread>

#include <nlohmann/json.hpp>

#include "zurender/app/zurender_run.h"

namespace zurender {
namespace {

using namespace zurender::testing;
using nlohmann::json;

struct Answer {
  int status = 0;
  std::string body;
  json Json() const { return json::parse(body, nullptr, false); }
};

// One request as bytes on a fresh connection, and the answer until the server closes it.
Answer Send(int port, const std::string& request) {
  Answer answer;
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(std::uint16_t(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  timeval timeout{120, 0};  // the studio may run emulated
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return answer;
  }
  ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string text;
  char buffer[65536];
  for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) text.append(buffer, std::size_t(n));
  ::close(fd);
  std::sscanf(text.c_str(), "HTTP/1.1 %d", &answer.status);
  const auto body = text.find("\r\n\r\n");
  if (body != std::string::npos) answer.body = text.substr(body + 4);
  return answer;
}

// zurender studio running in a folder of its own; one Ctrl-C when the test ends.
class Studio {
 public:
  explicit Studio(std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"studio", "-o", dir_.Path("out")});
    args = ZurenderCommand(args);
    int out[2];
    EXPECT_EQ(::pipe(out), 0);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::close(out[0]);
      std::vector<char*> argv;
      for (std::string& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    stdout_ = ::fdopen(out[0], "r");
    char line[512];
    while (port_ == 0 && std::fgets(line, sizeof line, stdout_) != nullptr) {
      printed_ += line;
      std::cmatch found;
      if (std::regex_search(line, found, std::regex(R"(open http://127\.0\.0\.1:(\d+)/\?token=([0-9a-f]{32}))"))) {
        port_ = std::stoi(found[1]);
        token_ = found[2];
      }
    }
    EXPECT_NE(port_, 0) << printed_;
  }
  ~Studio() {
    if (pid_ > 0 && Stop() != 0) ADD_FAILURE() << "the studio did not end cleanly on one Ctrl-C";
    if (stdout_ != nullptr) std::fclose(stdout_);
  }
  // One Ctrl-C; the exit status, or -1.
  int Stop() {
    ::kill(pid_, SIGINT);
    int raw = 0;
    const pid_t pid = pid_;
    pid_ = -1;
    for (int i = 0; i < 1200; ++i) {
      if (::waitpid(pid, &raw, WNOHANG) == pid) return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &raw, 0);
    return -1;
  }

  Answer Request(const std::string& method, const std::string& path, const std::string& body = "",
                 const std::string& extraHeaders = "", std::string token = "") const {
    if (token.empty()) token = token_;
    const std::string target = path + (path.find('?') == std::string::npos ? "?" : "&") + "token=" + token;
    return Send(port_, method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) + "\r\n" +
                           extraHeaders + "Content-Type: application/json\r\nContent-Length: " +
                           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
  }
  json Act(const json& gesture) const { return Request("POST", "/api/dialog", gesture.dump()).Json(); }
  // Renders and waits for the end.
  json Render(int width, int height) const {
    EXPECT_EQ(Request("POST", "/api/render", json{{"width", width}, {"height", height}}.dump()).status, 202);
    for (int i = 0; i < 2400; ++i) {
      const json status = Request("GET", "/api/render").Json();
      if (status["state"] != "running") return status;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return json();
  }

  int port() const { return port_; }
  const std::string& token() const { return token_; }
  const std::string& printed() const { return printed_; }
  std::string Out(const std::string& name = "") const { return dir_.Path("out/" + name); }

 private:
  TempFolder dir_;
  pid_t pid_ = -1;
  FILE* stdout_ = nullptr;
  int port_ = 0;
  std::string token_;
  std::string printed_;
};

std::vector<std::string> RowTexts(const json& state) {
  std::vector<std::string> rows;
  for (const json& control : state["dialog"]["controls"])
    if (control["kind"] == "list")
      for (const json& row : control["rows"]) rows.push_back(row["text"]);
  return rows;
}

json ControlOf(const json& dialog, int id) {
  for (const json& control : dialog["controls"])
    if (control["id"] == id) return control;
  return json();
}

TEST(ZurenderStudio, AnswersOnlyItsTokenOnItsOwnAddress) {
  Studio studio;
  EXPECT_EQ(studio.Request("GET", "/api/dialog").status, 200);
  const std::string wrong(32, '0');
  EXPECT_EQ(studio.Request("GET", "/api/dialog", "", "", wrong).status, 403);
  EXPECT_EQ(Send(studio.port(), "GET /api/dialog HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(studio.port()) +
                                    "\r\nConnection: close\r\n\r\n").status, 403) << "no token";
  EXPECT_EQ(studio.Request("GET", "/", "", "X-Studio-Token: " + studio.token() + "\r\n", wrong).status, 403)
      << "the address's token is the one that counts";
  // A page elsewhere whose name leads here: another Host, or another site as Origin.
  for (const std::string& host : {"attacker.example:" + std::to_string(studio.port()), std::string("127.0.0.1:1")}) {
    const std::string request = "GET /api/dialog?token=" + studio.token() + " HTTP/1.1\r\nHost: " + host +
                                "\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(Send(studio.port(), request).status, 403) << host;
  }
  const Answer foreign = studio.Request("POST", "/api/dialog", R"({"do":"press","control":12})",
                                        "Origin: http://attacker.example\r\n");
  EXPECT_EQ(foreign.status, 403);
  EXPECT_TRUE(studio.Request("GET", "/api/dialog").Json()["modal"].is_null()) << "the refused press opened the menu";
  const Answer page = studio.Request("GET", "/");
  EXPECT_EQ(page.status, 200);
  EXPECT_NE(page.body.find("studio.js?token=" + studio.token()), std::string::npos);
}

TEST(ZurenderStudio, ServesTheRendersFilesByNameAndNothingElse) {
  Studio studio;
  EXPECT_EQ(studio.Request("GET", "/files/render.psd").status, 404) << "nothing rendered yet";
  const json done = studio.Render(24, 16);
  ASSERT_EQ(done["state"], "done") << done.dump();
  const Answer psd = studio.Request("GET", "/files/render.psd");
  EXPECT_EQ(psd.status, 200);
  EXPECT_EQ(psd.body.substr(0, 4), "8BPS");
  const std::string preview = done["result"]["layers"][0]["preview"];
  EXPECT_EQ(studio.Request("GET", "/files/" + preview).status, 200) << preview;
  EXPECT_EQ(studio.Request("GET", "/settings.json").Json()["storedList"].is_string(), true);
  for (const char* path : {"/files/layers.json", "/files/../out/render.psd", "/files/%2e%2e/out/render.psd",
                                  "/files//etc/passwd", "/files/layers/../render.psd", "/files/layers", "/etc/passwd",
                                  "/files/%2Fetc%2Fpasswd"})
    EXPECT_EQ(studio.Request("GET", path).status, 404) << path;
  // A name the render wrote, now a link out of the folder.
  std::filesystem::remove(studio.Out("contact-sheet.png"));
  std::filesystem::create_symlink("/etc/passwd", studio.Out("contact-sheet.png"));
  EXPECT_EQ(studio.Request("GET", "/files/contact-sheet.png").status, 404);
}

TEST(ZurenderStudio, RefusesWhatIsMalformedOrNotTakenAndChangesNothing) {
  Studio studio;
  const std::string settings = ReadFile(studio.Out("layers.json"));
  const json before = studio.Request("GET", "/api/dialog").Json();
  ASSERT_FALSE(settings.empty());
  for (const std::string& body : {std::string("{not json"), std::string(R"({"do":"press"})"),
                                  std::string(R"({"do":"jump"})"), std::string(R"([1,2])"),
                                  std::string(R"({"do":"text","control":26,"text":")") + std::string(300, 'x') + "\"}",
                                  std::string(R"({"do":"select","rows":[-1]})")}) {
    const Answer answer = studio.Request("POST", "/api/dialog", body);
    EXPECT_EQ(answer.status, 400) << body;
    EXPECT_TRUE(answer.Json()["error"].is_string()) << body;
  }
  EXPECT_EQ(studio.Request("POST", "/api/dialog", std::string(70000, ' ')).status, 413);
  EXPECT_EQ(studio.Request("POST", "/api/render", R"({"width":0,"height":10})").status, 400);
  EXPECT_EQ(studio.Request("POST", "/api/stack", R"({"visible":[]})").status, 409) << "nothing rendered yet";
  // Gestures the dialog does not take: the remove button and the blend popup with no layer selected.
  for (const json& gesture : {json{{"do", "press"}, {"control", 13}}, json{{"do", "value"}, {"control", 14}, {"value", 8}}}) {
    const json refused = studio.Act(gesture);
    EXPECT_FALSE(refused["taken"].get<bool>()) << gesture.dump();
    EXPECT_NE(refused["message"].get<std::string>().find("disabled"), std::string::npos) << refused["message"];
  }
  EXPECT_EQ(studio.Request("GET", "/api/dialog").Json()["dialog"], before["dialog"]);
  EXPECT_EQ(ReadFile(studio.Out("layers.json")), settings);
  // Cancel discards, and the file stays; the closed dialog takes nothing until reopened.
  ASSERT_EQ(RowTexts(studio.Act({{"do", "select"}, {"rows", {0}}})).size(), 6u);
  EXPECT_TRUE(studio.Act({{"do", "press"}, {"control", 13}})["taken"].get<bool>());
  EXPECT_TRUE(studio.Act({{"do", "press"}, {"control", 2}})["taken"].get<bool>());
  EXPECT_EQ(studio.Request("POST", "/api/dialog", R"({"do":"press","control":12})").status, 409);
  EXPECT_EQ(ReadFile(studio.Out("layers.json")), settings);
  EXPECT_EQ(RowTexts(studio.Act({{"do", "reopen"}})).size(), 6u);
  // A file that cannot be read opens nothing: the open dialog and the file are left as they are.
  WriteFile(studio.Out("layers.json"), "{broken");
  const json reopened = studio.Act({{"do", "reopen"}});
  EXPECT_FALSE(reopened["taken"].get<bool>());
  EXPECT_EQ(RowTexts(reopened).size(), 6u);
  EXPECT_NE(reopened["message"].get<std::string>().find("left as it was"), std::string::npos) << reopened["message"];
  EXPECT_EQ(ReadFile(studio.Out("layers.json")), "{broken");
}

TEST(ZurenderStudio, TheKindMenuAndTheOptionsDialogWaitForThePage) {
  Studio studio;
  const json menu = studio.Act({{"do", "press"}, {"control", 12}});
  ASSERT_EQ(menu["modal"]["kind"], "menu") << menu.dump();
  EXPECT_EQ(menu["modal"]["items"].size(), 15u);
  EXPECT_EQ(menu["modal"]["items"][12], "Fog");
  EXPECT_EQ(studio.Request("POST", "/api/dialog", R"({"do":"press","control":13})").status, 409) << "menu open";
  EXPECT_EQ(studio.Request("POST", "/api/dialog", R"({"do":"options","confirm":true,"first":"","second":""})").status, 409);
  EXPECT_EQ(RowTexts(studio.Act({{"do", "choose"}, {"item", 13}})).back(), "Fog");
  EXPECT_EQ(RowTexts(studio.Act({{"do", "press"}, {"control", 12}})).size(), 7u);
  EXPECT_EQ(RowTexts(studio.Act({{"do", "choose"}, {"item", 0}})).size(), 7u) << "dismissed: nothing added";
  EXPECT_EQ(studio.Request("POST", "/api/dialog", R"({"do":"choose","item":1})").status, 409) << "no menu open";

  // The options dialog shows the texts the plug-in put into it; its answer reaches controls 9, 10.
  studio.Act({{"do", "value"}, {"control", 6}, {"value", 1}});
  const json options = studio.Act({{"do", "value"}, {"control", 7}, {"value", 4}});
  ASSERT_EQ(options["modal"]["kind"], "options") << options.dump();
  EXPECT_EQ(ControlOf(options["modal"]["dialog"], 3)["text"], "0");
  EXPECT_EQ(ControlOf(options["modal"]["dialog"], 4)["text"], "0");
  const json answered = studio.Act({{"do", "options"}, {"confirm", true}, {"first", "3"}, {"second", "5"}});
  EXPECT_TRUE(answered["modal"].is_null());
  EXPECT_EQ(ControlOf(answered["dialog"], 9)["text"], "3");
  EXPECT_EQ(ControlOf(answered["dialog"], 10)["text"], "5");
  EXPECT_TRUE(studio.Act({{"do", "press"}, {"control", 1}})["taken"].get<bool>());
  const ProgramRun list = RunZurender({"layers", studio.Out("layers.json"), "list"});
  EXPECT_NE(list.out.find("7  on   Fog"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("output pair 3 5"), std::string::npos) << list.out;
  // A menu left open when the studio stops is answered with nothing: one Ctrl-C ends it.
  studio.Act({{"do", "reopen"}});
  EXPECT_EQ(studio.Act({{"do", "press"}, {"control", 12}})["modal"]["kind"], "menu");
}

TEST(ZurenderStudio, OneRenderAtATimeAndAFreePortWhenTheOneAskedIsTaken) {
  // A port taken by somebody else.
  const int taken = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(taken, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(taken, 1), 0);
  socklen_t length = sizeof address;
  ::getsockname(taken, reinterpret_cast<sockaddr*>(&address), &length);
  const int port = ntohs(address.sin_port);
  {
    Studio studio({"--port", std::to_string(port)});
    EXPECT_NE(studio.port(), port);
    EXPECT_NE(studio.printed().find("port " + std::to_string(port) + " is taken"), std::string::npos);
    ASSERT_EQ(studio.Request("POST", "/api/render", R"({"width":320,"height":240})").status, 202);
    const Answer second = studio.Request("POST", "/api/render", R"({"width":8,"height":8})");
    EXPECT_EQ(second.status, 409);
    EXPECT_TRUE(second.Json()["error"].is_string());
  }  // stopped while it renders: the render is ended with it
  ::close(taken);
}

}  // namespace
}  // namespace zurender
