// Input scripts: every event form read from text, comments and blank lines, and the malformed
// lines that stop a script before it runs, each named by its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input_script.h"

namespace {

using Kind = ScriptEvent::Kind;

TEST(InputScript, ReadsEveryEventFormInOrder) {
  const std::string text =
      "# the title\n"
      "\n"
      "10 move 0 599   # a corner\n"
      "11 click left\n"
      "12 down right\r\n"
      "13 up right\n"
      "14 key 27\n"
      "15 type Ærin # not a comment\n"
      "16 shot title-menu_2.v1\n"
      "17 close\n"
      "  18 stop\n";
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript(text, events, error)) << error;
  ASSERT_EQ(events.size(), 9u);
  const Kind kinds[] = {Kind::Move, Kind::Click, Kind::Down, Kind::Up, Kind::Key,
                        Kind::Type, Kind::Shot,  Kind::Close, Kind::Stop};
  for (size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].kind, kinds[i]) << i;
    EXPECT_EQ(events[i].frame, static_cast<int>(10 + i)) << i;
    EXPECT_EQ(events[i].line, static_cast<int>(3 + i)) << i;
  }
  EXPECT_EQ(events[0].x, 0);
  EXPECT_EQ(events[0].y, 599);
  EXPECT_EQ(events[1].button, 1);
  EXPECT_EQ(events[2].button, 2);
  EXPECT_EQ(events[4].key, 27);
  EXPECT_EQ(events[5].text, u"\u00C6rin # not a comment");
  EXPECT_EQ(events[6].name, "title-menu_2.v1");
}

TEST(InputScript, AMalformedLineIsNamedAndNothingIsKept) {
  struct Case {
    const char* line;
    const char* says;
  };
  const Case cases[] = {
      {"move 1 2", "a frame number"},
      {"-1 close", "a frame number"},
      {"1x close", "a frame number"},
      {"5", "an event follows"},
      {"5 jump", "unknown event \"jump\""},
      {"5 move 1", "FRAME move X Y"},
      {"5 move 800 10", "800 x 600"},
      {"5 move 10 -1", "800 x 600"},
      {"5 click middle", "left or right"},
      {"5 down", "FRAME down left|right"},
      {"5 key 0", "key code is 1 to 255"},
      {"5 key 256", "key code is 1 to 255"},
      {"5 key A", "key code"},
      {"5 type", "FRAME type TEXT"},
      {"5 close now", "FRAME close"},
      {"5 shot ../escape", "NAME is"},
      {"5 shot .hidden", "NAME is"},
      {"5 shot", "FRAME shot NAME"},
      {"0 shot first", "frame 1 or later"},
      {"0 stop", "frame 1 or later"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseInputScript(std::string("1 move 5 5\n# fine\n") + c.line + "\n2 stop\n",
                                  events, error))
        << c.line;
    EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << c.line << ": " << error;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.line << ": " << error;
    EXPECT_TRUE(events.empty()) << c.line;
  }
}

}  // namespace
