// End-to-end harness: a private Xvfb display, the real program started on a fresh copy of the
// run folder, and xdotool to drive its window. Screenshots come back as Allegro memory bitmaps.
#pragma once

#include <allegro.h>
#include <sys/types.h>

#include <functional>
#include <string>

// The X display shared by all tests of this process; started on first use, stopped at exit.
const std::string &test_display();

// Runs a shell command with DISPLAY set to the test display; returns its standard output.
std::string run_on_display(const std::string &command, int *status = nullptr);

// One run of the game in its own copy of the run folder.
struct game_run {
  std::string folder;    // the copied run folder, the program's working folder
  std::string log_path;  // the program's stdout and stderr
  pid_t pid = -1;
  std::string window;    // X window id, decimal, once found

  game_run();            // copies the run folder
  ~game_run();           // kills the program if it still runs and removes the folder

  // Starts ./quadrille in the folder; with `on_display` false, DISPLAY is unset. Music goes to
  // SDL's `audio_driver` ("dummy" plays silently in real time; an unknown name means no device).
  void start(bool on_display = true, const std::string &audio_driver = "dummy");
  // Waits for the game's window (up to `seconds`); false if it never appeared.
  bool find_window(double seconds = 20);
  // Waits for the program to end; returns its exit status, or -1 after a time-out (then kills it).
  int wait_exit(double seconds);
  // The window's picture now, as a 24-bit memory bitmap (caller destroys it); null on failure.
  BITMAP *screenshot();
  // Takes screenshots until `shows` accepts one or `seconds` pass; returns the last one taken
  // (caller destroys it). The game draws at its own pace, so a test waits for what it expects.
  BITMAP *screenshot_when(const std::function<bool(BITMAP *)> &shows, double seconds = 5);
  // Presses and releases a key (xdotool key name), holding it ~100 ms so a poll sees it.
  void press_key(const std::string &key);
  // Moves the pointer to window point (x, y) and clicks `button` (1 left, 3 right), held ~100 ms.
  void click(int x, int y, int button = 1);
  // Moves the pointer to window point (x, y).
  void move_to(int x, int y);
  // Asks the window to close, as its title bar's close button does.
  void close_window();
  // The program's output so far.
  std::string log() const;
};

// The remaining counter as the game prints " n " in its 160 x 40 box at (580,210), from the fonts
// and the frame picture of a run folder (caller destroys it).
BITMAP *counter_picture(const std::string &folder, int n);

// Mean absolute difference per channel between two pictures of the same size (0..255).
double picture_difference(BITMAP *a, BITMAP *b);
