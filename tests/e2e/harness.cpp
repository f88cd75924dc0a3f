#include "tests/e2e/harness.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <loadpng.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef QUADRILLE_RUN_DIR
#error "QUADRILLE_RUN_DIR must name the built run folder"
#endif

namespace {

pid_t xvfb_pid = -1;

void stop_display() {
  if (xvfb_pid > 0) {
    kill(xvfb_pid, SIGTERM);
    waitpid(xvfb_pid, nullptr, 0);
    xvfb_pid = -1;
  }
}

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string shell_quote(const std::string &s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

// Xvfb picks a free display itself and writes its number to the pipe (-displayfd).
const std::string &test_display() {
  static std::string display;
  if (!display.empty()) return display;
  int fds[2];
  if (pipe(fds) != 0) return display;
  xvfb_pid = fork();
  if (xvfb_pid == 0) {
    close(fds[0]);
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, STDOUT_FILENO);
    dup2(devnull, STDERR_FILENO);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
           static_cast<char *>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char buffer[32] = {};
  ssize_t got = 0;
  for (ssize_t n; got < static_cast<ssize_t>(sizeof buffer) - 1 && (n = read(fds[0], buffer + got, 1)) > 0;) {
    if (buffer[got] == '\n') break;
    got += n;
  }
  close(fds[0]);
  buffer[got] = 0;
  if (got > 0) {
    display = std::string(":") + buffer;
    std::atexit(stop_display);
  }
  return display;
}

std::string run_on_display(const std::string &command, int *status) {
  const std::string full = "DISPLAY=" + test_display() + " " + command;
  std::FILE *pipe = popen(full.c_str(), "r");
  std::string out;
  if (!pipe) {
    if (status) *status = -1;
    return out;
  }
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int rc = pclose(pipe);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

game_run::game_run() {
  char name[] = "/tmp/quadrille-e2e-XXXXXX";
  const char *made = mkdtemp(name);
  const std::string root = made ? made : "/tmp";
  folder = root + "/run";
  log_path = root + "/game.log";
  std::system(("cp -a " + shell_quote(QUADRILLE_RUN_DIR) + " " + shell_quote(folder)).c_str());
}

game_run::~game_run() {
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  const std::string root = folder.substr(0, folder.rfind('/'));
  std::system(("rm -rf " + shell_quote(root)).c_str());
}

void game_run::start(bool on_display, const std::string &audio_driver) {
  const std::string display = on_display ? test_display() : "";
  pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    const int out = open(log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    if (on_display)
      setenv("DISPLAY", display.c_str(), 1);
    else
      unsetenv("DISPLAY");
    setenv("SDL_AUDIODRIVER", audio_driver.c_str(), 1);
    execl("./quadrille", "quadrille", static_cast<char *>(nullptr));
    _exit(127);
  }
}

bool game_run::find_window(double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
    std::string out = run_on_display("xdotool search --name '^quadrille$' 2>/dev/null");
    std::istringstream lines(out);
    std::string id;
    if (std::getline(lines, id) && !id.empty()) {
      window = id;
      // The first move after the window opens can land wrong: spend it here.
      run_on_display("xdotool mousemove --window " + window + " 1 1");
      pause_ms(300);
      return true;
    }
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == pid) {
      pid = -1;
      return false;
    }
    pause_ms(100);
  }
  return false;
}

int game_run::wait_exit(double seconds) {
  if (pid <= 0) return -1;
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) {
      pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    pause_ms(20);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  pid = -1;
  return -1;
}

BITMAP *game_run::screenshot() {
  const std::string shot = folder + "/../shot.png";
  int status = 0;
  run_on_display("import -silent -window " + window + " " + shell_quote("png24:" + shot), &status);
  if (status != 0) return nullptr;
  BITMAP *bmp = load_png(shot.c_str(), nullptr);
  std::remove(shot.c_str());
  return bmp;
}

BITMAP *game_run::screenshot_when(const std::function<bool(BITMAP *)> &shows, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  BITMAP *shot = screenshot();
  while (!(shot && shows(shot)) && std::chrono::steady_clock::now() < until) {
    if (shot) destroy_bitmap(shot);
    pause_ms(100);
    shot = screenshot();
  }
  return shot;
}

void game_run::press_key(const std::string &key) {
  run_on_display("xdotool windowfocus --sync " + window + " keydown " + key + " sleep 0.1 keyup " + key);
}

void game_run::move_to(int x, int y) {
  run_on_display("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
}

void game_run::click(int x, int y, int button) {
  const std::string b = std::to_string(button);
  run_on_display("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y) +
                 " mousedown " + b + " sleep 0.1 mouseup " + b);
}

std::string game_run::log() const {
  std::ifstream in(log_path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

double picture_difference(BITMAP *a, BITMAP *b) {
  if (!a || !b || a->w != b->w || a->h != b->h) return 255;
  double sum = 0;
  for (int y = 0; y < a->h; y++)
    for (int x = 0; x < a->w; x++) {
      const int p = getpixel(a, x, y), q = getpixel(b, x, y);
      sum += std::abs(getr(p) - getr(q)) + std::abs(getg(p) - getg(q)) + std::abs(getb(p) - getb(q));
    }
  return sum / (3.0 * a->w * a->h);
}

void game_run::close_window() {
  Display *display = XOpenDisplay(test_display().c_str());
  if (!display) return;
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = std::stoul(window);
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
  XCloseDisplay(display);
}

BITMAP *counter_picture(const std::string &folder, int n) {
  BITMAP *overlay = load_png((folder + "/grafika/pl2.png").c_str(), nullptr);
  FONT *font = load_font((folder + "/grafika/arial_16.pcx").c_str(), nullptr, nullptr);
  BITMAP *box = create_bitmap(160, 40);
  blit(overlay, box, 580, 210, 0, 0, 160, 40);
  textprintf_centre_ex(box, font, 88, 6, makecol(0, 0, 0), -1, " %d ", n);
  textprintf_centre_ex(box, font, 87, 5, makecol(188, 200, 188), -1, " %d ", n);
  destroy_font(font);
  destroy_bitmap(overlay);
  return box;
}
