// Which windows the skin manager skins and which registered skin each gets.
#include <gtest/gtest.h>

#include "skin/manager/SkinRules.h"

namespace {

using skin::SkinCandidate;

TEST(ManagerRulesTest, ClassFilter) {
  EXPECT_TRUE(skin::ShouldSkinClass("TForm1", 0, false));
  EXPECT_FALSE(skin::ShouldSkinClass("TPrintPreviewForm", 0, false));
  EXPECT_TRUE(skin::ShouldSkinClass("TPrintPreviewForm", 0, true));
  EXPECT_FALSE(skin::ShouldSkinClass("#32770", 0x200, true));
  EXPECT_TRUE(skin::ShouldSkinClass("#32770", 0x80, true));
  EXPECT_FALSE(skin::ShouldSkinClass("TPopupDBTreeView", 0, true));
  EXPECT_TRUE(skin::IsExcludedClass("TApplication"));
  EXPECT_FALSE(skin::IsExcludedClass("TApplicationForm"));
  EXPECT_TRUE(skin::IsExcludedClass("XTTERenderWindowY"));
  EXPECT_TRUE(skin::IsSystemDialogClass("TMessageForm"));
  EXPECT_TRUE(skin::IsSystemDialogClass("tmessageform"));
}

TEST(ManagerRulesTest, SkinChoice) {
  constexpr int mainForm = 0, onlyThis = 1, dialog = 2, module = 3;
  // No skin: none. One of any kind: that one.
  EXPECT_EQ(skin::ChooseSkin({}, "TForm1"), -1);
  EXPECT_EQ(skin::ChooseSkin({{module, false}}, "TForm1"), 0);
  // The last main-form skin; a form's own skin wins for its own window only.
  const std::vector<SkinCandidate> skins{
      {mainForm, false}, {onlyThis, false}, {mainForm, false}, {dialog, false}, {dialog, false}};
  EXPECT_EQ(skin::ChooseSkin(skins, "TForm1"), 2);
  std::vector<SkinCandidate> own = skins;
  own[1].ownsWindow = true;
  EXPECT_EQ(skin::ChooseSkin(own, "TForm1"), 1);
  // Message boxes take the last dialog skin, or the main skin when there is none.
  EXPECT_EQ(skin::ChooseSkin(skins, "#32770"), 4);
  EXPECT_EQ(skin::ChooseSkin({{mainForm, false}, {module, false}}, "TMessageForm"), 0);
}

}  // namespace
