#include "zentrel/convert/converter_options.h"

namespace zentrel {

std::string BuildConverterOptions(std::wstring_view inspectedEncoding, const ConverterChoices& choices) {
  std::string options = "-";
  if (inspectedEncoding == L"Shift_JIS" && choices.cp932) options += "-ic=CP932 -";
  switch (choices.encodingChoice) {
    case 0: options += "s"; break;
    case 1: options += "e"; break;
    case 2: options += choices.bom8 ? "w8" : "w80"; break;
    case 3: options += choices.bom16 ? "w16L" : "w16L0"; break;
    case 4: options += choices.bom16 ? "w16B" : "w16B0"; break;
    case 5: options += "j"; break;
    default: break;
  }
  switch (choices.eolChoice) {
    case 0: options += "Lw"; break;
    case 1: options += "Lm"; break;
    case 2: options += "Lu"; break;
    default: break;
  }
  return options;
}

}  // namespace zentrel
