// The vials of the sphere as far as a level needs them: loading, filling, the full test and
// where a colour's vial lies.
#include "levels_fixtures.h"

namespace {

TEST(SphereTest, VialsFillUpToTheirCapacityUntilTheSphereIsFull) {
  TMagicSphere sphere;
  levels::Output([&] {
    sphere.Load(levels::Store("Settings {\n Level {\n  SpheresColors = \"2 5 2 0 0 7\"\n"
                              "  SpheresCapacities = \"1 2 3 0 0 9\"\n }\n}\n"));
  });
  EXPECT_EQ(sphere.colours, (std::array<int32_t, 5>{2, 5, 2, 0, 0})) << "a sixth value is ignored";
  for (int32_t colour : {0, 9, 2, 2, 5}) sphere.Fill(colour);
  EXPECT_EQ(sphere.fills, (std::array<float, 5>{1.0f, 1.0f, 2.0f, 0.0f, 0.0f}));
  EXPECT_EQ(sphere.IsFull(), 0);
  for (int32_t colour : {5, 2, 2}) sphere.Fill(colour);
  EXPECT_EQ(sphere.IsFull(), 1);
  sphere.Load(levels::Store("Settings {\n Level {\n  SpheresColors = \"0 0 0 0 0\"\n"
                            "  SpheresCapacities = \"0 0 0 0 0\"\n }\n}\n"));
  EXPECT_EQ(sphere.IsFull(), 1) << "a sphere without vials is full at once";
}

TEST(SphereTest, AColourLeadsToItsFirstVialOrToTheCentre) {
  TMagicSphere sphere;
  sphere.colours = {0, 4, 3, 4, 0};
  struct Case {
    int32_t colour;
    int32_t found;
    int32_t x;
    int32_t y;
  };
  for (const Case& c : {Case{4, 1, 166, 92}, Case{3, 1, 143, 163}, Case{0, 0, 100, 102},
                        Case{9, 0, 100, 102}}) {
    int32_t x = -1, y = -1;
    EXPECT_EQ(sphere.GetColorXY(c.colour, x, y), c.found) << c.colour;
    EXPECT_EQ(x, c.x) << c.colour;
    EXPECT_EQ(y, c.y) << c.colour;
  }
}

}  // namespace
