// The controls of a skinned window get their skinners: by kind, left native by Tag, reached
// through the tab order when the form does not own them, never twice; the application's handler
// is type-checked; the buttons of a message box are skinned through their windows.
#include <gtest/gtest.h>

#include "skin/controls/SkinBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinEdit.h"
#include "skin/manager/ControlClassifier.h"
#include "skinframe/FrameTestSupport.h"
#include "ui/BitBtn.h"
#include "ui/CheckCtrls.h"

using frametest::PumpUntil;
using frametest::SkinnedForm;
using frametest::TFrameTestForm;

namespace {

template <class T>
T* Add(ui::TComponent* owner, ui::TWinControl* parent, int left, int top) {
  auto* c = new T(owner);
  c->SetParent(parent);
  c->SetLeft(left);
  c->SetTop(top);
  return c;
}

bool Skinned(ui::TWinControl* c) {
  return SendMessageW(c->Handle(), skin::SM_ISSKINNED, 0, 0) == 1;
}

template <class T>
bool SkinnerIs(const SkinnedForm& f, ui::TWinControl* c) {
  return dynamic_cast<T*>(f.Skinner()->FindSkinnerByWindow(c->Handle())) != nullptr;
}

struct FormControls {
  ui::TButton* button = nullptr;
  ui::TButton* native = nullptr;
  ui::TButton* orphan = nullptr;
  ui::TBitBtn* bitBtn = nullptr;
  ui::TCheckBox* check = nullptr;
  ui::TRadioGroup* group = nullptr;
  ui::TRadioGroup* nativeGroup = nullptr;
  ui::TEdit* edit = nullptr;

  void Make(TFrameTestForm& form) {
    button = Add<ui::TButton>(&form, &form, 10, 10);
    native = Add<ui::TButton>(&form, &form, 100, 10);
    native->SetTag(99);
    // Owned by nobody: only the tab order leads to it.
    orphan = Add<ui::TButton>(nullptr, &form, 190, 10);
    bitBtn = Add<ui::TBitBtn>(&form, &form, 280, 10);
    check = Add<ui::TCheckBox>(&form, &form, 10, 50);
    edit = Add<ui::TEdit>(&form, &form, 120, 50);
    group = Add<ui::TRadioGroup>(&form, &form, 10, 90);
    group->Items()->AddStrings({L"One", L"Two"});
    nativeGroup = Add<ui::TRadioGroup>(&form, &form, 220, 90);
    nativeGroup->Items()->AddStrings({L"Three"});
    nativeGroup->SetTag(99);
  }
};

}  // namespace

TEST(Classification, EachControlGetsTheSkinnerOfItsKindOnce) {
  FormControls c;
  SkinnedForm f(testskin::TestSkin(), [&](TFrameTestForm& form) { c.Make(form); });
  ASSERT_NE(f.Skinner(), nullptr);
  EXPECT_TRUE(SkinnerIs<skin::TSkinButton>(f, c.button));
  EXPECT_TRUE(SkinnerIs<skin::TSkinButton>(f, c.orphan));
  EXPECT_TRUE(SkinnerIs<skin::TSkinBitButton>(f, c.bitBtn));
  EXPECT_TRUE(SkinnerIs<skin::TSkinCheckBox>(f, c.check));
  EXPECT_TRUE(SkinnerIs<skin::TSkinRadioButton>(f, c.group->Buttons(1)));
  EXPECT_TRUE(SkinnerIs<skin::TSkinEdit>(f, c.edit));
  EXPECT_TRUE(SkinnerIs<skin::TSkinGroupBox>(f, c.group));
  // Tag 99 keeps the native look, a radio group's buttons with it.
  EXPECT_FALSE(Skinned(c.native));
  EXPECT_FALSE(Skinned(c.nativeGroup->Buttons(0)));
  EXPECT_EQ(c.nativeGroup->Buttons(0)->Tag(), 99);

  // Running the classification again skins nothing twice.
  const size_t count = f.Skinner()->Controls().size();
  EXPECT_EQ(count, 8u);
  skin::ClassifyFormControls(*f.Skinner());
  EXPECT_EQ(f.Skinner()->Controls().size(), count);
}

namespace {

// A button whose window can never be made (its system class does not exist).
class TWindowlessButton : public ui::TButton {
  UI_CLASS(TWindowlessButton, ui::TButton)
 public:
  using TButton::TButton;

 protected:
  void CreateParams(ui::TCreateParams& p) override {
    TButton::CreateParams(p);
    CreateSubClass(p, L"NoSuchSystemClass");
  }
};
UI_IMPLEMENT_CLASS(TWindowlessButton, ui::TButton)

}  // namespace

TEST(Classification, AControlWhoseWindowCannotBeMadeStaysUnskinned) {
  SkinnedForm f;
  auto* button = new TWindowlessButton(f.form);
  try {
    button->SetParent(f.form);  // the parent asks for its window at once
  } catch (const ui::Exception&) {
  }
  ASSERT_FALSE(button->HandleAllocated());
  const size_t before = f.Skinner()->Controls().size();
  EXPECT_NO_THROW(skin::ClassifyControl(*f.Skinner(), button, f.form));
  EXPECT_EQ(f.Skinner()->Controls().size(), before);
  EXPECT_FALSE(button->HandleAllocated());
}

namespace {

// Supplies what the test tells it to for one control.
struct Supplier {
  ui::TControl* target = nullptr;
  std::function<ui::TObject*(ui::TControl*)> make;
  std::string className;
  void OnSkinControl(ui::TObject*, skin::TSkinData*, ui::TComponent*, ui::TControl* control,
                     const std::string& cls, ui::TObject*& supplied) {
    if (control != target) return;
    className = cls;
    supplied = make(control);
  }
};

}  // namespace

TEST(Classification, TheHandlersObjectIsUsedOnlyWhenItIsASkinnerOfThatControl) {
  SkinnedForm f;
  Supplier supplier;
  f.data->OnSkinControl = ui::MethodOf<&Supplier::OnSkinControl>(&supplier);
  auto* a = Add<ui::TButton>(f.form, f.form, 10, 10);
  auto* b = Add<ui::TButton>(f.form, f.form, 100, 10);
  auto* other = Add<ui::TEdit>(f.form, f.form, 10, 60);

  // Not a skinner: the control stays native, nothing breaks.
  ui::TStringList notASkinner;
  supplier.target = a;
  supplier.make = [&](ui::TControl*) { return &notASkinner; };
  skin::ClassifyControl(*f.Skinner(), a, f.form);
  EXPECT_FALSE(Skinned(a));
  EXPECT_EQ(supplier.className, "TBUTTON");

  // A skinner made for another control is not attached (it would skin that one).
  supplier.make = [&](ui::TControl*) { return new skin::TSkinButton(other); };
  skin::ClassifyControl(*f.Skinner(), a, f.form);
  EXPECT_FALSE(Skinned(a));
  EXPECT_FALSE(Skinned(other));

  // A skinner of the control itself is attached.
  supplier.target = b;
  supplier.make = [&](ui::TControl* control) { return new skin::TSkinButton(control); };
  skin::ClassifyControl(*f.Skinner(), b, f.form);
  EXPECT_TRUE(Skinned(b));
  f.data->OnSkinControl = nullptr;
}
