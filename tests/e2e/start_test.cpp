// The program starts in a real window, shows the title picture, and ends on Esc; without its
// files or without a display it says why and ends with status 1.
#include <gtest/gtest.h>
#include <jpgalleg.h>

#include <cstdio>
#include <string>

#include "tests/e2e/harness.h"

TEST(start, shows_the_title_picture_and_ends_on_escape) {
  ASSERT_FALSE(test_display().empty()) << "Xvfb did not start";
  game_run game;
  game.start();
  ASSERT_TRUE(game.find_window()) << game.log();

  BITMAP *title = load_jpg((game.folder + "/grafika/r0.jpg").c_str(), nullptr);
  ASSERT_NE(title, nullptr);
  BITMAP *shown = game.screenshot_when([&](BITMAP *shot) { return picture_difference(shot, title) < 1.0; });
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->w, 800);
  EXPECT_EQ(shown->h, 600);
  EXPECT_LT(picture_difference(shown, title), 1.0);
  destroy_bitmap(shown);
  destroy_bitmap(title);

  game.press_key("Escape");
  EXPECT_EQ(game.wait_exit(10), 0) << game.log();
}

TEST(start, names_missing_files_and_ends_with_status_1) {
  game_run game;
  std::remove((game.folder + "/grafika/pl2.png").c_str());
  std::remove((game.folder + "/muz/s3.wav").c_str());
  game.start();
  EXPECT_EQ(game.wait_exit(10), 1);
  const std::string log = game.log();
  EXPECT_NE(log.find("grafika/pl2.png"), std::string::npos) << log;
  EXPECT_NE(log.find("muz/s3.wav"), std::string::npos) << log;
  EXPECT_EQ(log.find("grafika/ele.png"), std::string::npos) << log;
}

TEST(start, without_a_display_says_so_and_ends_with_status_1) {
  game_run game;
  game.start(false);
  EXPECT_EQ(game.wait_exit(10), 1);
  EXPECT_NE(game.log().find("window"), std::string::npos) << game.log();
}
