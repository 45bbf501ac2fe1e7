#pragma once
// Component streaming: a component with its published properties and the
// components written inside it, in a binary form that begins with the
// signature "TPF0" and in a text form that begins with "object".
//
// Binary form: "TPF0", then one component:
//   class name, component name (length byte + bytes each),
//   properties (name, then a typed value) up to a zero byte,
//   child components up to a zero byte.
// A value is a type byte (TValueType) and its data, little-endian:
//   vaInt8/16/32/64 the integer; vaDouble 8 bytes IEEE; vaString a length
//   byte and bytes; vaLString and vaUTF8String a 4-byte length and bytes;
//   vaWString a 4-byte count and UTF-16 code units;
//   vaIdent a length byte and the name; vaFalse, vaTrue, vaNil nothing;
//   vaSet names (length byte + bytes) up to an empty name; vaList values up
//   to vaNull; vaBinary a 4-byte length and bytes; vaCollection items, each
//   vaList + properties + zero byte, up to vaNull.
// Text form, two blanks of indent per level:
//   object Name: TClass          (object TClass when the name is empty)
//     Prop = 12
//     Pen.Color = 255
//     Title = 'It''s'#13#10'two lines'
//     Lines.Strings = (
//       'a'
//       'b')
//     Data = {
//       0A0B0C}
//     Axes = <
//       item
//         Visible = False
//       end>
//     object Series1: TLineSeries
//     end
//   end
// The reader creates only registered component classes and stops with a
// clear exception at unknown classes, truncated or malformed data; unknown
// properties and bad property values go to Error, which raises unless an
// OnError handler (or a derived reader) accepts them.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"

enum class TValueType : uint8_t {
  vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaString = 6, vaIdent = 7, vaFalse = 8,
  vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14, vaWString = 18,
  vaInt64 = 19, vaUTF8String = 20, vaDouble = 21
};

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream& Stream)>;

// What TPersistent::DefineProperties talks to: the reader or the writer.
class TFiler {
 public:
  explicit TFiler(TStream& Stream) : FStream(Stream) {}
  virtual ~TFiler() = default;
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;

  // A property written through the writer's value routines.
  virtual void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // A property holding raw bytes (written as vaBinary).
  virtual void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                    const TStreamProc& WriteData, bool HasData) = 0;
  TStream& Stream() const { return FStream; }
  // The component that owns the components being written or read.
  TComponent* Root = nullptr;

 protected:
  TStream& FStream;
};

class TWriter : public TFiler {
 public:
  // BufSize is kept for callers that pass one; values go straight to the stream.
  explicit TWriter(TStream& Stream, int BufSize = 4096);

  void WriteSignature();
  // Signature, then Component as the outermost one; Root defaults to it.
  void WriteRootComponent(TComponent* Component);
  // One component with its properties and children (see GetChildren).
  void WriteComponent(TComponent* Component);
  void WriteProperties(const TPersistent* Instance);

  // Values, for DefineProperty writers.
  void WriteInteger(int64_t Value);
  void WriteFloat(double Value);
  void WriteString(std::string_view Value);
  // A wide string value (vaWString: a 4-byte count of UTF-16 code units, then the units).
  void WriteWideString(std::u16string_view Value);
  void WriteIdent(std::string_view Value);
  void WriteBoolean(bool Value);
  void WriteListBegin();
  void WriteListEnd();

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

 private:
  void WriteProperty(const TPersistent* Instance, const TPropInfo& Prop);
  void WriteObjectProperty(const TPersistent* Instance, const TPropInfo& Prop, TObject* Value);
  void WriteCollection(const TCollection& Collection);
  void WritePropName(const std::string& Name);
  void WriteShortString(std::string_view Value);
  void WriteValueType(TValueType Value);
  void WriteSetValue(const TPropInfo& Prop, uint64_t Bits);
  std::string FPropPath;  // "Pen." while the properties of a sub-object are written
  int FDepth = 0;
};

class TReader : public TFiler {
 public:
  explicit TReader(TStream& Stream, int BufSize = 4096);
  ~TReader() override;

  // EReadError "Invalid stream format" unless the next bytes are "TPF0".
  void ReadSignature();
  // Signature, then the outermost component. With Root given, its properties
  // and children are read into it (the stream's class must be registered);
  // without, a registered class of that name is created. The components read
  // get Loaded() once everything, references included, is in place.
  TComponent* ReadRootComponent(TComponent* RootComponent);

  // Values, for DefineProperty readers.
  TValueType NextValue();
  TValueType ReadValue();
  int64_t ReadInteger();
  double ReadFloat();
  // Any string value; a wide one arrives as UTF-8.
  std::string ReadString();
  // Any string value as UTF-16 (8-bit values are read as UTF-8).
  std::u16string ReadWideString();
  std::string ReadIdent();
  bool ReadBoolean();
  void ReadListBegin();
  void ReadListEnd();
  bool EndOfList();
  void SkipValue();

  void DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

  // A recoverable problem (unknown property, bad value, unresolved
  // reference): true = skip it and go on. Unassigned: every one raises.
  std::function<bool(TReader& Reader, const std::string& Message)> OnError;
  // Whether the outermost component takes the name stored in the stream.
  bool RenameRoot = true;
  // Off: a component written inside another is a format error (readers of
  // outside bytes that expect single components create nothing else).
  bool AllowChildren = true;
  // Class name of the outermost component, known once ReadRootComponent has read it.
  const std::string& RootClassName() const { return FRootClassName; }

 protected:
  // Raises EReadError with Message unless the problem is accepted.
  virtual bool Error(const std::string& Message);
  // A property the instance does not have; the value is skipped when accepted.
  virtual bool UnknownProperty(const TPersistent* Instance, const std::string& Name, TValueType Value);
  // Called with the outermost class name before anything is read into or created for it.
  virtual void CheckRootClass(const std::string& ClassName);

 private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    std::string Name;
    std::vector<TCollectionItem*> Anchors;  // the collection items it lies in
  };
  TComponent* ReadComponent(TComponent* Parent);
  void ReadComponentBody(TComponent* Component);
  void ReadProperty(TPersistent* Instance);
  void ReadPropValue(TPersistent* Instance, const TPropInfo& Prop);
  void ReadCollection(TCollection& Collection);
  // Outer: the object whose stream names the property (for messages).
  void ReadDataInto(TPersistent* Outer, TPersistent* Instance, const std::string& Name, const std::string& FullName);
  void ResolveFixups();
  void MarkLoading(TComponent* Component);
  void FinishLoading(bool Success);
  std::string ReadShortString();
  std::string ReadBytes(int64_t Count);
  uint8_t ReadByte();
  int32_t ReadInt32Raw();
  [[noreturn]] void FormatError(const std::string& What);
  void EnterNesting();

  TComponent* FOwner = nullptr;  // owner of the components created
  std::string FRootClassName;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
  std::vector<TCollectionItem*> FAnchors;  // collection items being read, outermost first
  // DefineProperty matching during ReadProperty.
  std::string FDefinedName;
  bool FDefinedFound = false;
  int FDepth = 0;
};

KV_EXCEPTION_CLASS(EParserError, Exception);

namespace Streaming {

// Conversions between the forms; a malformed source raises EParserError
// (text, with its line) or EReadError (binary).
void ObjectBinaryToText(TStream& Input, TStream& Output);
void ObjectTextToBinary(TStream& Input, TStream& Output);

// Whole components. ReadComponent with Instance null creates the stored class
// (registered classes only) without owner.
void WriteComponent(TStream& Stream, TComponent* Instance);
TComponent* ReadComponent(TStream& Stream, TComponent* Instance);
std::string ComponentToText(TComponent* Instance);
TComponent* TextToComponent(std::string_view Text, TComponent* Instance);

}  // namespace Streaming
