// Converts the input between the text and the binary form of component streams,
// the way chart files and stored forms are read.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/Streaming.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  for (bool FromText : {true, false}) {
    try {
      TMemoryStream In, Out;
      In.WriteString(FuzzSupport::Text(Data, Size));
      In.SetPosition(0);
      if (FromText)
        Streaming::ObjectTextToBinary(In, Out);
      else
        Streaming::ObjectBinaryToText(In, Out);
    } catch (const Exception&) {
    }
  }
  return 0;
}
