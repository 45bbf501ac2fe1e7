#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/Streaming.h"

namespace StreamingTests {

namespace {

enum class TBoxKind : uint8_t { bkPlain, bkRound, bkSharp };
enum class TBoxOption : uint8_t { boLeft, boTop, boRight };

class TBoxPen : public TPersistent {
  KV_CLASS(TBoxPen, TPersistent)
 public:
  TColor Color = 0;
  int32_t Width = 1;
};

class TBoxItem : public TCollectionItem {
  KV_CLASS(TBoxItem, TCollectionItem)
 public:
  explicit TBoxItem(TCollection* c) : TCollectionItem(c) {}
  std::string Caption;
  double Value = 0;
};

class TBox : public TComponent {
  KV_CLASS(TBox, TComponent)
 public:
  explicit TBox(TComponent* owner)
      : TComponent(owner), Items(TBoxItem::StaticClass(), TCollection::ItemFactoryOf<TBoxItem>(), this) {}
  int32_t Count = 0;
  double Ratio = 0;
  std::string Caption;
  bool Enabled = true;
  TBoxKind Kind = TBoxKind::bkPlain;
  Flags<TBoxOption> Options;
  int64_t Big = 0;
  TBoxPen Pen;
  TStringList Lines;
  TCollection Items;
  TComponent* Buddy = nullptr;
  std::string Blob;  // raw bytes streamed as the binary property "Blob"
  TBoxPen* GetPen() const { return const_cast<TBoxPen*>(&Pen); }
  TStringList* GetLines() const { return const_cast<TStringList*>(&Lines); }
  TCollection* GetItems() const { return const_cast<TCollection*>(&Items); }
  TComponent* GetBuddy() const { return Buddy; }
  void SetBuddy(TComponent* Value) { Buddy = Value; }
  void SetCount(int32_t Value) {
    if (Value < 0) throw EConvertError("Count must not be negative");
    Count = Value;
  }
  int32_t GetCount() const { return Count; }

  void DefineProperties(TFiler& Filer) override {
    TComponent::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Blob", [this](TStream& S) { Blob = S.ReadAll(); }, [this](TStream& S) { S.WriteString(Blob); },
        !Blob.empty());
  }
};

// A component written inside its box, whoever owns it.
class TBoxPart : public TComponent {
  KV_CLASS(TBoxPart, TComponent)
 public:
  explicit TBoxPart(TComponent* owner) : TComponent(owner) {}
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return Parent; }
  void SetParentComponent(TComponent* Value) override { Parent = Value; }
  TComponent* Parent = nullptr;
  int32_t Size = 0;
  int LoadedCalls = 0;
  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCalls;
  }
};

// Declared like the others but never registered: files may not create it.
class TSecretPart : public TBoxPart {
  KV_CLASS(TSecretPart, TBoxPart)
 public:
  explicit TSecretPart(TComponent* owner) : TBoxPart(owner) {}
};

}  // namespace

KV_CLASS_IMPL(TBoxPen, TPersistent) {
  c.Property("Color", &TBoxPen::Color).Kind(TPropKind::pkColor).Default(0);
  c.Property("Width", &TBoxPen::Width).Default(1);
}

KV_CLASS_IMPL(TBoxItem, TCollectionItem) {
  c.Property("Caption", &TBoxItem::Caption).Default("");
  c.Property("Value", &TBoxItem::Value).Default(0.0);
}

KV_CLASS_IMPL(TBox, TComponent) {
  c.Property("Count", &TBox::GetCount, &TBox::SetCount).Default(0);
  c.Property("Ratio", &TBox::Ratio).Default(0.0);
  c.Property("Caption", &TBox::Caption).Default("");
  c.Property("Enabled", &TBox::Enabled).Default(true);
  c.Property("Kind", &TBox::Kind).Names({"bkPlain", "bkRound", "bkSharp"}).Default(TBoxKind::bkPlain);
  c.Property("Options", &TBox::Options).Names({"boLeft", "boTop", "boRight"}).Default(Flags<TBoxOption>());
  c.Property("Big", &TBox::Big).Default(int64_t(0));
  c.Property("Pen", &TBox::GetPen);
  c.Property("Lines", &TBox::GetLines);
  c.Property("Items", &TBox::GetItems);
  c.Property("Buddy", &TBox::GetBuddy, &TBox::SetBuddy);
}

KV_CLASS_IMPL(TBoxPart, TComponent) { c.Property("Size", &TBoxPart::Size).Default(0); }

TClass TSecretPart::StaticClass() {
  static const TClass info = ClassInfoDetail::Describe<TSecretPart>("TSecretPart", TBoxPart::StaticClass());
  return info;
}
void TSecretPart::DescribeClass(TClassBuilder<TSecretPart>&) {}

namespace {

struct TBoxTree {
  TBox* Box = Create<TBox>(nullptr);
  ~TBoxTree() { Box->Free(); }
  TBoxPart* AddPart(const std::string& name, int32_t size) {
    auto* p = Create<TBoxPart>(Box);
    p->SetName(name);
    p->SetParentComponent(Box);
    p->Size = size;
    return p;
  }
};

void FillBox(TBoxTree& t) {
  TBox& b = *t.Box;
  b.Count = 300;
  b.Ratio = -2.5;
  b.Caption = "It's \xC3\xA9t\xC3\xA9\r\n";
  b.Enabled = false;
  b.Kind = TBoxKind::bkSharp;
  b.Options = Flags<TBoxOption>{TBoxOption::boLeft, TBoxOption::boRight};
  b.Big = 5000000000LL;
  b.Pen.Color = 0x00FF8000;
  b.Pen.Width = 3;
  b.Lines.Add("first");
  b.Lines.Add("");
  auto* item = static_cast<TBoxItem*>(b.Items.Add());
  item->Caption = "one";
  item->Value = 0.1;
  b.Items.Add();
  b.Blob = std::string("\x00\x01\xFF", 3);
  t.AddPart("Part1", 7);
  b.Buddy = t.AddPart("Part2", -70000);
}

std::string Binary(TComponent* c) {
  TMemoryStream s;
  Streaming::WriteComponent(s, c);
  return s.DataString();
}

TComponent* ReadBinary(const std::string& bytes, TComponent* into) {
  TMemoryStream s;
  s.WriteString(bytes);
  s.SetPosition(0);
  return Streaming::ReadComponent(s, into);
}

std::string ToText(const std::string& bytes) {
  TMemoryStream in, out;
  in.WriteString(bytes);
  in.SetPosition(0);
  Streaming::ObjectBinaryToText(in, out);
  return out.DataString();
}

std::string ToBinary(const std::string& text) {
  TMemoryStream in, out;
  in.WriteString(text);
  in.SetPosition(0);
  Streaming::ObjectTextToBinary(in, out);
  return out.DataString();
}

void ExpectSameBox(const TBox& a, const TBox& b) {
  EXPECT_EQ(a.Count, b.Count);
  EXPECT_EQ(a.Ratio, b.Ratio);
  EXPECT_EQ(a.Caption, b.Caption);
  EXPECT_EQ(a.Enabled, b.Enabled);
  EXPECT_EQ(a.Kind, b.Kind);
  EXPECT_EQ(a.Options, b.Options);
  EXPECT_EQ(a.Big, b.Big);
  EXPECT_EQ(a.Pen.Color, b.Pen.Color);
  EXPECT_EQ(a.Pen.Width, b.Pen.Width);
  EXPECT_EQ(a.Lines.GetText(), b.Lines.GetText());
  ASSERT_EQ(a.Items.Count(), b.Items.Count());
  for (int i = 0; i < a.Items.Count(); ++i) {
    EXPECT_EQ(a.Items.ItemAs<TBoxItem>(i)->Caption, b.Items.ItemAs<TBoxItem>(i)->Caption);
    EXPECT_EQ(a.Items.ItemAs<TBoxItem>(i)->Value, b.Items.ItemAs<TBoxItem>(i)->Value);
  }
  EXPECT_EQ(a.Blob, b.Blob);
  ASSERT_EQ(a.ComponentCount(), b.ComponentCount());
  for (int i = 0; i < a.ComponentCount(); ++i) {
    auto* pa = dynamic_cast<TBoxPart*>(a.Components(i));
    auto* pb = dynamic_cast<TBoxPart*>(b.Components(i));
    ASSERT_TRUE(pa && pb);
    EXPECT_EQ(pa->GetName(), pb->GetName());
    EXPECT_EQ(pa->Size, pb->Size);
    EXPECT_EQ(pb->Parent, &b);
  }
  ASSERT_NE(b.Buddy, nullptr);
  EXPECT_EQ(b.Buddy->GetName(), a.Buddy->GetName());
  EXPECT_EQ(b.Buddy->Owner(), &b);
}

TEST(Streaming, BinaryRoundTripRestoresPropertiesSubObjectsChildrenAndReferences) {
  TBoxTree src;
  FillBox(src);
  const std::string bytes = Binary(src.Box);
  ASSERT_EQ(bytes.substr(0, 4), "TPF0");

  TBoxTree into;
  ReadBinary(bytes, into.Box);
  ExpectSameBox(*src.Box, *into.Box);
  for (int i = 0; i < into.Box->ComponentCount(); ++i) {
    auto* p = static_cast<TBoxPart*>(into.Box->Components(i));
    EXPECT_EQ(p->LoadedCalls, 1);
    EXPECT_FALSE(p->ComponentState.Contains(TComponentStateItem::csLoading));
  }

  // Without an instance the stored class is created by name.
  TComponent* created = ReadBinary(bytes, nullptr);
  auto* box = dynamic_cast<TBox*>(created);
  ASSERT_NE(box, nullptr);
  ExpectSameBox(*src.Box, *box);
  created->Free();
}

TEST(Streaming, DefaultsAreNotWritten) {
  TBoxTree t;
  EXPECT_EQ(ToText(Binary(t.Box)), "object TBox\n  Items = <>\nend\n");
}

TEST(Streaming, TextFormHasItsExactLayout) {
  TBoxTree t;
  FillBox(t);
  t.Box->SetName("Box1");
  const char* expected =
      "object Box1: TBox\n"
      "  Count = 300\n"
      "  Ratio = -2.5\n"
      "  Caption = 'It''s '#233't'#233#13#10\n"
      "  Enabled = False\n"
      "  Kind = bkSharp\n"
      "  Options = [boLeft, boRight]\n"
      "  Big = 5000000000\n"
      "  Pen.Color = 16744448\n"
      "  Pen.Width = 3\n"
      "  Lines.Strings = (\n"
      "    'first'\n"
      "    '')\n"
      "  Items = <\n"
      "    item\n"
      "      Caption = 'one'\n"
      "      Value = 0.1\n"
      "    end\n"
      "    item\n"
      "    end>\n"
      "  Buddy = Part2\n"
      "  Blob = {\n"
      "    0001FF}\n"
      "  object Part1: TBoxPart\n"
      "    Size = 7\n"
      "  end\n"
      "  object Part2: TBoxPart\n"
      "    Size = -70000\n"
      "  end\n"
      "end\n";
  EXPECT_EQ(Streaming::ComponentToText(t.Box), expected);
}

TEST(Streaming, TextAndBinaryConvertIntoEachOtherUnchanged) {
  TBoxTree t;
  FillBox(t);
  t.Box->Ratio = 2;  // whole-numbered doubles stay doubles
  t.Box->Caption = std::string(300, 'x');
  t.Box->Blob = std::string(70, '\x5A');
  const std::string bytes = Binary(t.Box);
  const std::string text = ToText(bytes);
  EXPECT_NE(text.find("Ratio = 2.0\n"), std::string::npos);
  EXPECT_EQ(ToBinary(text), bytes);

  TBoxTree back;
  Streaming::TextToComponent(text, back.Box);
  ExpectSameBox(*t.Box, *back.Box);
}

TEST(Streaming, TextReaderAcceptsHandWrittenForms) {
  TBoxTree t;
  Streaming::TextToComponent(
      "OBJECT TBox\n"
      "  Ratio = 1e3\n"
      "  Count = $1F\n"
      "  Caption = 'a' +\n"
      "    'b'#65\n"
      "  Options = []\n"
      "  Kind = BKROUND\n"
      "end\n",
      t.Box);
  EXPECT_EQ(t.Box->Ratio, 1000.0);
  EXPECT_EQ(t.Box->Count, 31);
  EXPECT_EQ(t.Box->Caption, "abA");
  EXPECT_EQ(t.Box->Kind, TBoxKind::bkRound);
}

TEST(Streaming, FloatsKeepEveryBitThroughText) {
  for (double v : {0.1, -1e-300, 1.7976931348623157e308, 5e-324, std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()}) {
    TBoxTree t, back;
    t.Box->Ratio = v;
    Streaming::TextToComponent(Streaming::ComponentToText(t.Box), back.Box);
    EXPECT_EQ(back.Box->Ratio, v);
  }
  TBoxTree t, back;
  t.Box->Ratio = std::numeric_limits<double>::quiet_NaN();
  Streaming::TextToComponent(Streaming::ComponentToText(t.Box), back.Box);
  EXPECT_TRUE(std::isnan(back.Box->Ratio));
}

TEST(Streaming, EveryTruncationOfAStreamRaisesAndLeavesNoPartialChild) {
  TBoxTree t;
  FillBox(t);
  const std::string bytes = Binary(t.Box);
  for (size_t n = 0; n < bytes.size(); ++n) {
    TBoxTree into;
    EXPECT_THROW(ReadBinary(bytes.substr(0, n), into.Box), EReadError) << "length " << n;
    for (int i = 0; i < into.Box->ComponentCount(); ++i) {
      auto* p = static_cast<TBoxPart*>(into.Box->Components(i));
      EXPECT_FALSE(p->ComponentState.Contains(TComponentStateItem::csLoading));
    }
    EXPECT_FALSE(into.Box->ComponentState.Contains(TComponentStateItem::csLoading));
  }
  const std::string text = ToText(bytes);
  for (size_t n = 0; n + 1 < text.size(); n += 7) {
    TMemoryStream in, out;
    in.WriteString(text.substr(0, n));
    in.SetPosition(0);
    EXPECT_THROW(Streaming::ObjectTextToBinary(in, out), EParserError) << "length " << n;
  }
}

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no exception)";
}

TEST(Streaming, ErrorsNameTheirCause) {
  auto read = [](const std::string& text) {
    return [text] {
      TBoxTree t;
      Streaming::TextToComponent(text, t.Box);
    };
  };
  struct TCase {
    std::string Text;
    std::string Message;
  };
  const TCase cases[] = {
      {"object TBox\n  object P: TNoSuchPart\n  end\nend\n", "Class TNoSuchPart not found"},
      {"object TBox\n  object P: TSecretPart\n  end\nend\n", "Class TSecretPart not found"},
      {"object TBox\n  object P: TBoxPen\n  end\nend\n", "Class TBoxPen cannot be created from a component stream"},
      {"object TBox\n  Colour = 3\nend\n", "Error reading TBox.Colour: Property Colour does not exist"},
      {"object TBox\n  Pen.Depth = 3\nend\n", "Error reading TBox.Pen.Depth: Property Pen.Depth does not exist"},
      {"object TBox\n  Count = 'many'\nend\n", "Error reading TBox.Count: Invalid property value (an integer expected)"},
      {"object TBox\n  Count = -1\nend\n", "Error reading TBox.Count: Count must not be negative"},
      {"object TBox\n  Kind = bkSquare\nend\n", "Error reading TBox.Kind: Invalid property value 'bkSquare'"},
      {"object TBox\n  Options = [boBottom]\nend\n", "Error reading TBox.Options: Invalid set element 'boBottom'"},
      {"object TBox\n  Buddy = Nobody\nend\n", "Error reading TBox.Buddy: Unresolved reference to 'Nobody'"},
      {"object TBox\n  Count = 99999999999999999999\nend\n", "Invalid text form on line 2: '99999999999999999999' is not an integer in range"},
      {"object TBox\n  Count 3\nend\n", "Invalid text form on line 2: '=' expected"},
      {"object TBox\n  Blob = {0A1}\nend\n", "Invalid text form on line 2: odd number of hexadecimal digits in binary data"},
      {"object TBox\nend\nextra", "Invalid text form on line 3: end of text expected after the last 'end'"},
      {"thing TBox\nend\n", "Invalid text form on line 1: 'object' expected"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Message(read(c.Text)), c.Message) << c.Text;

  EXPECT_EQ(Message([] { ReadBinary("TPF1", nullptr); }), "Invalid stream format: the signature TPF0 is missing");
  EXPECT_EQ(Message([] { ReadBinary(std::string("TPF0\x04TBox\x00\x05" "Count\x7F", 17), nullptr); }),
            "Invalid stream format at byte 16: unknown value type 127");
}

TEST(Streaming, AnAcceptedErrorSkipsOnlyTheBadValue) {
  std::vector<std::string> seen;
  TBoxTree t;
  TMemoryStream bin;
  bin.WriteString(ToBinary("object TBox\n  Colour = (1 'two' [a] {00})\n  Count = 'x'\n  Ratio = 4.5\n"
                           "  Items = <\n    item\n      Caption = 'kept'\n      Size = 3\n    end>\nend\n"));
  bin.SetPosition(0);
  TReader reader(bin);
  reader.OnError = [&](TReader&, const std::string& m) {
    seen.push_back(m);
    return true;
  };
  reader.ReadRootComponent(t.Box);
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(t.Box->Count, 0);
  EXPECT_EQ(t.Box->Ratio, 4.5);
  ASSERT_EQ(t.Box->Items.Count(), 1);
  EXPECT_EQ(t.Box->Items.ItemAs<TBoxItem>(0)->Caption, "kept");
}

TEST(Streaming, HostileNestingIsRefusedWithoutExhaustingTheStack) {
  std::string text = "object TBox\n  Lines.Strings = ";
  text += std::string(100000, '(');
  EXPECT_THROW(Streaming::TextToComponent(text, nullptr), EReadError);
  std::string bin = "TPF0\x04TBox";
  bin += '\0';
  bin += "\x05Lines";
  bin += std::string(100000, '\x01');
  TBoxTree t;
  EXPECT_THROW(ReadBinary(bin, t.Box), EReadError);
}

TEST(Streaming, AnEmptyClassNameIsRefusedByBothBinaryReaders) {
  // A root without a class name, with and without a name. (A child cannot
  // have one: its empty class name is the end of the children.)
  const std::string streams[] = {std::string("TPF0\x00\x03" "Box\x00\x00", 11), std::string("TPF0\x00\x00\x00\x00", 8)};
  for (const std::string& bin : streams) {
    TBoxTree t;
    EXPECT_EQ(Message([&] { ReadBinary(bin, t.Box); }), "Invalid stream format: class name expected");
    EXPECT_EQ(Message([&] { ReadBinary(bin, nullptr); }), "Invalid stream format: class name expected");
    TMemoryStream in, out;
    in.WriteString(bin);
    in.SetPosition(0);
    EXPECT_EQ(Message([&] { Streaming::ObjectBinaryToText(in, out); }), "Invalid stream format: class name expected");
  }
}

TEST(Streaming, HugeDeclaredLengthsAreRefusedBeforeAllocating) {
  std::string bin("TPF0\x04TBox\x00\x07" "Caption\x0C\xFF\xFF\xFF\x7F", 23);
  TBoxTree t;
  EXPECT_THROW(ReadBinary(bin, t.Box), EReadError);
  EXPECT_EQ(t.Box->Caption, "");
}

}  // namespace

}  // namespace StreamingTests
