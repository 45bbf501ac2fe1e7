#include <gtest/gtest.h>

#include "platform/rtl/ClassInfo.h"
#include "platform/rtl/Classes.h"

namespace ClassInfoTests {

namespace {

enum class TShapeStyle { ssRectangle, ssCircle, ssTriangle };
enum class TShapeOption { soShadow, soBorder, soLabel };
using TShapeOptions = Flags<TShapeOption>;

}  // namespace

// A component with one property of every kind, declared once in its table.
class TTestShape : public TComponent {
  KV_CLASS(TTestShape, TComponent)
 public:
  explicit TTestShape(TComponent* owner) : TComponent(owner) {}
  void Init() override { Initialised = true; }
  bool Initialised = false;

  int32_t GetWidth() const { return FWidth; }
  void SetWidth(int32_t v) { FWidth = v < 0 ? 0 : v; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  bool IsCaptionStored() const { return FCaption != GetName(); }
  TShapeStyle Style = TShapeStyle::ssRectangle;
  TShapeOptions Options = {TShapeOption::soBorder};
  double Ratio = 1.5;
  bool Visible = true;
  TColor Color = clRed;
  TComponent* Partner = nullptr;

 private:
  int32_t FWidth = 10;
  std::string FCaption;
};

KV_CLASS_IMPL(TTestShape, TComponent) {
  c.Property("Width", &TTestShape::GetWidth, &TTestShape::SetWidth).Default(10);
  c.Property("Caption", &TTestShape::GetCaption, &TTestShape::SetCaption).Stored(&TTestShape::IsCaptionStored);
  c.Property("Style", &TTestShape::Style).Names({"ssRectangle", "ssCircle", "ssTriangle"}).Default(TShapeStyle::ssRectangle);
  c.Property("Options", &TTestShape::Options).Names({"soShadow", "soBorder", "soLabel"}).Default(TShapeOptions{TShapeOption::soBorder});
  c.Property("Ratio", &TTestShape::Ratio).Default(1.5);
  c.Property("Visible", &TTestShape::Visible).Default(true);
  c.Property("Color", &TTestShape::Color).Kind(TPropKind::pkColor).Default(clRed);
  c.Property("Partner", &TTestShape::Partner);
  c.Editor("TShapeEditor");
}

// Inherits the table and the editor; adds one property.
class TTestCircle : public TTestShape {
  KV_CLASS(TTestCircle, TTestShape)
 public:
  using TTestShape::TTestShape;
  int32_t Radius = 3;
};

KV_CLASS_IMPL(TTestCircle, TTestShape) { c.Property("Radius", &TTestCircle::Radius); }

// Declares Width again with another default.
class TTestSquare : public TTestShape {
  KV_CLASS(TTestSquare, TTestShape)
 public:
  using TTestShape::TTestShape;
};

// Described but not registered, so that the registry tests do not see it.
TClass TTestSquare::StaticClass() {
  static const TClass info = ClassInfoDetail::Describe<TTestSquare>("TTestSquare", TTestShape::StaticClass());
  return info;
}
void TTestSquare::DescribeClass(TClassBuilder<TTestSquare>& c) {
  c.Property("Width", &TTestSquare::GetWidth, &TTestSquare::SetWidth).Default(20);
}

class TTestAbstract : public TComponent {
  KV_CLASS(TTestAbstract, TComponent)
 public:
  using TComponent::TComponent;
  virtual void Draw() = 0;
};

KV_CLASS_IMPL(TTestAbstract, TComponent) {}

namespace {

std::vector<std::string> Names(const std::vector<const TPropInfo*>& props) {
  std::vector<std::string> r;
  for (auto* p : props) r.push_back(p->Name);
  return r;
}

}  // namespace

TEST(ClassRegistry, CreatesByNameThroughTheTwoPhaseConstruction) {
  TComponent owner(nullptr);
  TObject* obj = ClassInfo::CreateByName("ttestcircle", &owner);
  auto* circle = dynamic_cast<TTestCircle*>(obj);
  ASSERT_NE(circle, nullptr);
  EXPECT_TRUE(circle->Initialised);
  EXPECT_EQ(circle->Owner(), &owner);
  EXPECT_EQ(circle->ClassName(), "TTestCircle");
  EXPECT_EQ(circle->ClassType()->ClassParent(), TTestShape::StaticClass());
  EXPECT_TRUE(circle->InheritsFrom(TComponent::StaticClass()));
  EXPECT_FALSE(TTestShape::StaticClass()->InheritsFrom(TTestCircle::StaticClass()));
}

TEST(ClassRegistry, LookUpsAndTheirFailures) {
  EXPECT_EQ(ClassInfo::GetClass("TTestShape"), TTestShape::StaticClass());
  EXPECT_EQ(ClassInfo::GetClass("TNoSuchClass"), nullptr);
  try {
    ClassInfo::FindClass("TNoSuchClass");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass not found");
  }
  EXPECT_FALSE(TTestAbstract::StaticClass()->CanCreate());
  EXPECT_THROW(ClassInfo::CreateByName("TTestAbstract"), EInvalidOperation);
  auto shapes = ClassInfo::DescendantsOf(TTestShape::StaticClass());
  EXPECT_EQ(shapes, (std::vector<TClass>{TTestShape::StaticClass(), TTestCircle::StaticClass()}));
  EXPECT_NE(ClassInfo::GetClass("TStringList"), nullptr);  // the library's own classes are there too
  EXPECT_EQ(TTestCircle::StaticClass()->EditorName(), "TShapeEditor");
  EXPECT_EQ(TComponent::StaticClass()->EditorName(), "");
}

TEST(PropertyTable, ARedeclaredPropertyIsListedOnceWithTheDescendantsDeclaration) {
  const auto props = TTestSquare::StaticClass()->Properties();
  EXPECT_EQ(Names(props), Names(TTestShape::StaticClass()->Properties()));
  const TPropInfo* width = TTestSquare::StaticClass()->FindProperty("Width");
  EXPECT_NE(std::find(props.begin(), props.end(), width), props.end());
  EXPECT_EQ(width->Default, TPropValue(int64_t(20)));
}

TEST(PropertyTable, InheritedFirstAndFoundByAnyCase) {
  EXPECT_EQ(Names(TTestCircle::StaticClass()->Properties()),
            (std::vector<std::string>{"Name", "Tag", "Width", "Caption", "Style", "Options", "Ratio", "Visible",
                                      "Color", "Partner", "Radius"}));
  const TPropInfo* width = TTestCircle::StaticClass()->FindProperty("WIDTH");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->Kind, TPropKind::pkInteger);
  EXPECT_EQ(TTestShape::StaticClass()->FindProperty("Radius"), nullptr);
  const TClass cls = TTestShape::StaticClass();
  EXPECT_EQ(cls->FindProperty("Style")->Kind, TPropKind::pkEnum);
  EXPECT_EQ(cls->FindProperty("Options")->Kind, TPropKind::pkSet);
  EXPECT_EQ(cls->FindProperty("Ratio")->Kind, TPropKind::pkFloat);
  EXPECT_EQ(cls->FindProperty("Visible")->Kind, TPropKind::pkBool);
  EXPECT_EQ(cls->FindProperty("Color")->Kind, TPropKind::pkColor);
  EXPECT_EQ(cls->FindProperty("Partner")->Kind, TPropKind::pkClass);
  EXPECT_EQ(cls->FindProperty("Partner")->PropClass(), TComponent::StaticClass());
}

TEST(PropertyTable, GettersSettersAndTextGoThroughTheClassCode) {
  TTestShape shape(nullptr);
  const TClass cls = TTestShape::StaticClass();
  cls->FindProperty("Width")->Set(&shape, int64_t(-5));
  EXPECT_EQ(shape.GetWidth(), 0);  // the setter's own check ran
  struct Case {
    const char* Prop;
    const char* Text;
    const char* Back;
  } cases[] = {
      {"Width", "25", "25"},
      {"Caption", "Body 1", "Body 1"},
      {"Style", "sscircle", "ssCircle"},
      {"Style", "2", "ssTriangle"},
      {"Options", "[soShadow, soLabel]", "[soShadow,soLabel]"},
      {"Options", "[]", "[]"},
      {"Ratio", "2,5", "2.5"},
      {"Visible", "False", "False"},
      {"Color", "255", "255"},
  };
  for (const Case& c : cases) {
    const TPropInfo* p = cls->FindProperty(c.Prop);
    p->SetText(&shape, c.Text);
    EXPECT_EQ(p->GetText(&shape), c.Back) << c.Prop << " " << c.Text;
  }
  EXPECT_EQ(shape.Style, TShapeStyle::ssTriangle);
  EXPECT_FALSE(shape.Visible);
  TComponent partner(nullptr);
  partner.SetName("Other");
  cls->FindProperty("Partner")->Set(&shape, static_cast<TObject*>(&partner));
  EXPECT_EQ(shape.Partner, &partner);
  EXPECT_EQ(cls->FindProperty("Partner")->GetText(&shape), "Other");
}

TEST(PropertyTable, BadTextNamesTheValueAndTheProperty) {
  TTestShape shape(nullptr);
  const TClass cls = TTestShape::StaticClass();
  struct Case {
    const char* Prop;
    const char* Text;
    const char* Message;
  } cases[] = {
      {"Width", "wide", "'wide' is not a valid value for property Width (an integer expected)"},
      {"Style", "ssHexagon", "'ssHexagon' is not a valid value for property Style (one of the names of its type expected)"},
      {"Visible", "maybe", "'maybe' is not a valid value for property Visible (True or False expected)"},
      {"Options", "soShadow", "'soShadow' is not a valid value for property Options (a set such as [a,b] expected)"},
  };
  for (const Case& c : cases) {
    try {
      cls->FindProperty(c.Prop)->SetText(&shape, c.Text);
      ADD_FAILURE() << c.Prop;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
  EXPECT_EQ(shape.GetWidth(), 10);  // nothing half-applied
  EXPECT_THROW(cls->FindProperty("Width")->Set(&shape, std::string("x")), EConvertError);
  TComponent other(nullptr);
  EXPECT_THROW(cls->FindProperty("Width")->Get(&other), EInvalidCast);
}

TEST(PropertyTable, StoredWhenTheRuleHoldsAndTheValueIsNotTheDefault) {
  TTestShape shape(nullptr);
  shape.SetName("Shape1");
  shape.SetCaption("Shape1");
  const TClass cls = TTestShape::StaticClass();
  auto stored = [&](const char* name) { return cls->FindProperty(name)->IsStored(&shape); };
  for (const char* name : {"Width", "Style", "Options", "Ratio", "Visible", "Color", "Caption", "Tag"})
    EXPECT_FALSE(stored(name)) << name;
  EXPECT_TRUE(stored("Partner"));  // no default: always written
  shape.SetWidth(11);
  shape.Options.Include(TShapeOption::soLabel);
  shape.Ratio = 0;
  shape.SetCaption("Body");
  for (const char* name : {"Width", "Options", "Ratio", "Caption"}) EXPECT_TRUE(stored(name)) << name;
}

}  // namespace ClassInfoTests
