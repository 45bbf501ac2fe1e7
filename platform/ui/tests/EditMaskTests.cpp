#include "platform/ui/EditMask.h"
#include "platform/ui/Grids.h"
#include "platform/ui/tests/UiFixture.h"

namespace EditMaskTests {

namespace {

std::string U8(const std::u16string& S) {
  std::string out;
  for (char16_t c : S) out += static_cast<char>(c);
  return out;
}

std::u16string U16(const std::string& S) { return std::u16string(S.begin(), S.end()); }

}  // namespace

TEST(EditMaskTest, ValuesLaidIntoMasksAndReadBack) {
  struct TCase {
    const char* Mask;
    const char* Value;
    const char* Edit;      // the edit text
    const char* Back;      // its value
    bool Complete;
  } cases[] = {
      {"00/00/0000;1;_", "12/05/2003", "12/05/2003", "12/05/2003", true},
      {"00/00/0000;1;_", "12/5", "12/5_/____", "12/5 /    ", false},
      {"00/00/0000;0;_", "1205", "12/05/____", "1205    ", false},
      {"(999) 000;1; ", "(12 ) 345", "(12 ) 345", "(12 ) 345", true},
      {">LL-00", "ab-12", "AB-12", "AB-12", true},
      {"<ll;1;*", "XY", "xy", "xy", true},
      {"\\A0", "A7", "A7", "A7", true},
      {"00", "a1", "_1", " 1", false},
      {"#9", "-3", "-3", "-3", true},
      {"aA", "!x", "_x", " x", true},  // only the second position is required
  };
  for (const TCase& c : cases) {
    const TEditMask m(c.Mask);
    const std::u16string edit = m.Format(U16(c.Value));
    EXPECT_EQ(U8(edit), c.Edit) << c.Mask << " / " << c.Value;
    EXPECT_EQ(U8(m.Value(edit)), c.Back) << c.Mask << " / " << c.Value;
    EXPECT_EQ(m.Complete(edit), c.Complete) << c.Mask << " / " << c.Value;
  }
  EXPECT_TRUE(TEditMask("").Empty());
  EXPECT_TRUE(TEditMask(">").Empty());
  EXPECT_EQ(TEditMask("99:99").NextEditable(2), 3);
  EXPECT_EQ(TEditMask("99:99").PrevEditable(3), 1);
  EXPECT_EQ(TEditMask("99:99").NextEditable(5), 5);
}

class EditMaskEditTest : public UiTest {
 protected:
  EditMaskEditTest() {
    form = Application->CreateForm<TForm>();
    grid = Create<TStringGrid>(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetOptions(grid->GetOptions() + goEditing);
  }
  void Type(TInplaceEdit* E, const std::string& Keys) {
    for (char k : Keys) {
      TKeyChar ch = static_cast<TKeyChar>(k);
      E->KeyPress(ch);
    }
  }
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
};

TEST_F(EditMaskEditTest, TypingOverwritesPositionsStepsOverLiteralsAndRefusesWrongCharacters) {
  grid->OnGetEditMask = [](TObject*, int ACol, int, std::string& Mask) { Mask = ACol == 1 ? "00:00;1;_" : ""; };
  grid->SetCells(1, 1, "12:3");
  grid->ShowEditor();
  TInplaceEdit* e = grid->GetInplaceEditor();
  ASSERT_TRUE(e->IsMasked());
  EXPECT_EQ(e->EditText(), "12:3_");
  EXPECT_EQ(e->GetText(), "12:3 ");
  e->SetSelStart(0);
  Type(e, "9x");  // x is refused
  EXPECT_EQ(e->EditText(), "92:3_");
  EXPECT_EQ(e->GetCaretPos(), 1);
  Type(e, "8:45");  // the typed ':' steps over the literal
  EXPECT_EQ(e->EditText(), "98:45");
  EXPECT_EQ(grid->GetCells(1, 1), "98:45");
  EXPECT_EQ(e->GetCaretPos(), 5);
  EXPECT_TRUE(e->MaskComplete());
  Type(e, "\b\b");
  EXPECT_EQ(e->EditText(), "98:__");
  Type(e, "\b");  // over the literal to the last digit before it
  EXPECT_EQ(e->EditText(), "9_:__");
  EXPECT_EQ(e->GetCaretPos(), 1);
  EXPECT_FALSE(e->MaskComplete());
  uint16_t del = VK_DELETE;
  e->SetSelStart(0);
  e->KeyDown(del, {});
  EXPECT_EQ(e->EditText(), "__:__");
  // A cell without a mask edits freely.
  grid->HideEditor();
  grid->SetCol(2);
  grid->ShowEditor();
  EXPECT_FALSE(e->IsMasked());
  e->SetText("");
  Type(e, "ab:c");
  EXPECT_EQ(e->GetText(), "ab:c");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

#include "fuzz/edit_mask_fuzz.cpp"

TEST(EditMaskFuzz, DamagedMasksAndValuesAreReadSafely) {
  const std::string cases[] = {
      std::string(),
      std::string(";"),
      std::string(";;"),
      std::string("\\"),
      std::string("\\;\\;;0;"),
      std::string("<>><<>\n"),
      std::string("00;1;\n12345678"),
      std::string("00;0;\xff\n\xff\xff", 10),
      std::string(500, '0') + "\n" + std::string(600, '7'),
      std::string("CcAaLl09#\n\x01\x02\x03 !@", 17),
      std::string(1, '\0'),
  };
  for (const std::string& c : cases)
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(c.data()), c.size()), 0) << c.size();
}

}  // namespace EditMaskTests
