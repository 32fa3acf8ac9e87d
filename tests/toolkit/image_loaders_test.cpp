#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/headless.h"
#include "toolkit/image_loaders.h"
#include "toolkit_fixtures.h"

namespace {

using headless::MessageBoxes;

TEST(ImageLoaders, MissingFileIsReportedOnceWithItsPathAndGivesNull) {
  EXPECT_EQ(FLoadImage(S("gfx/none/missing.png")), nullptr);
  ASSERT_EQ(MessageBoxes().size(), 1u);
  EXPECT_EQ(MessageBoxes()[0].text, u"Nie mozna zaladowac obrazka: gfx/none/missing.png");
  EXPECT_FALSE(MessageBoxes()[0].serious);

  EXPECT_EQ(FLoadPixmap(std::string("gfx/none/other.png")), nullptr);
  ASSERT_EQ(MessageBoxes().size(), 2u);
  EXPECT_EQ(MessageBoxes()[1].text, u"Nie mozna zaladowac obrazka: gfx/none/other.png");
}

TEST(ImageLoaders, WrongKindOfSourceIsReportedAndGivesAnEmptyObject) {
  struct {
    ImageSource source;
    bool forImage;
    const char16_t* message;
  } cases[] = {
      {ImageSource(S("")), true, u"Probojesz zaladowac niewlasciwy typ obiektu jako TImage"},
      {ImageSource(nullptr), true, u"Probojesz zaladowac niewlasciwy typ obiektu jako TImage"},
      {ImageSource(tk::SolidPixmap(2, 2, tk::kRed)), true,
       u"Probojesz zaladowac niewlasciwy typ obiektu jako TImage"},
      {ImageSource(ImagePtr()), true, u"Probojesz zaladowac niewlasciwy typ obiektu jako TImage"},
      {ImageSource(S("")), false, u"Probojesz zaladowac niewlasciwy typ obiektu jako TPixmap"},
      {ImageSource(std::make_shared<TImage>()), false,
       u"Probojesz zaladowac niewlasciwy typ obiektu jako TPixmap"},
  };
  size_t shown = 0;
  for (auto& c : cases) {
    if (c.forImage) {
      ImagePtr image = FLoadImage(c.source);
      ASSERT_NE(image, nullptr);
      EXPECT_FALSE(HasPicture(image));
    } else {
      PixmapPtr pixmap = FLoadPixmap(c.source);
      ASSERT_NE(pixmap, nullptr);
      EXPECT_EQ(PixmapWidth(pixmap), 0);
    }
    ASSERT_EQ(MessageBoxes().size(), ++shown);
    EXPECT_EQ(MessageBoxes().back().text, String(c.message));
  }
}

TEST(ImageLoaders, LoadedObjectsPassThroughUnchanged) {
  ImagePtr image = tk::SolidImage(4, 3, tk::kRed);
  PixmapPtr pixmap = tk::SolidPixmap(5, 6, tk::kBlue);
  EXPECT_EQ(FLoadImage(image), image);
  EXPECT_EQ(FLoadPixmap(pixmap), pixmap);
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST(ImageLoaders, PathsLoadTheFile) {
  std::string path = tk::SavePng(tk::SolidPixmap(7, 5, tk::kGreen), "seven.png");
  ImagePtr image = FLoadImage(path);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ImageWidth(image), 7);
  EXPECT_EQ(ImageHeight(image), 5);
  PixmapPtr pixmap = FLoadPixmap(FromPath(path));
  ASSERT_NE(pixmap, nullptr);
  EXPECT_EQ(ReadPixel(pixmap, 3, 3), tk::kGreen);
  EXPECT_TRUE(MessageBoxes().empty());
}

TEST(ImageLoaders, LargeBackgroundsReadThePngOfTheSameName) {
  tk::SavePng(tk::SolidPixmap(3, 2, tk::kRed), "galeria.png");
  const std::string home = test_support::TempHome();
  PixmapPtr p = LoadJPEG2000(home + "/galeria.jp2");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(PixmapWidth(p), 3);
  EXPECT_NE(LoadJPEG2000(FromPath(home + "/galeria.bmp")), nullptr);  // any extension
  EXPECT_EQ(LoadJPEG2000(home + "/missing.jp2"), nullptr);
  // A dot in a folder name is not an extension: ".png" is appended to the whole path.
  ASSERT_TRUE(CreateDir(home + "/pod.menu"));
  tk::SavePng(tk::SolidPixmap(4, 2, tk::kRed), "pod.menu/bottom.png");
  PixmapPtr q = LoadJPEG2000(home + "/pod.menu/bottom");
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(PixmapWidth(q), 4);
  EXPECT_TRUE(MessageBoxes().empty());
}

}  // namespace
