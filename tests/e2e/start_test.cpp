// Without its files or without a display the program says why and ends with status 1.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/e2e/harness.h"

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

TEST(start, names_a_damaged_picture_and_ends_with_status_1) {
  game_run game;
  std::FILE *f = std::fopen((game.folder + "/grafika/r3.jpg").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("not a picture", f);
  std::fclose(f);
  game.start();
  EXPECT_EQ(game.wait_exit(10), 1);
  EXPECT_NE(game.log().find("grafika/r3.jpg"), std::string::npos) << game.log();
}
