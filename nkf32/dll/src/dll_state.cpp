#include "dll_state.h"

namespace nkf::dll {

DllState& State() {
  static DllState state;
  return state;
}

}  // namespace nkf::dll
