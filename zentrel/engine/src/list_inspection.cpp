#include "zentrel/engine/list_inspection.h"

#include "zentrel/platform/file_system_win.h"
#include "zentrel/engine/list_view_sink.h"
#include "zentrel/engine/nkf_dll_guesser.h"
#include "zentrel/engine/store_settings_reader.h"
#include "zentrel/core/inspection_engine.h"

namespace zentrel {

void InspectPath(HWND list, const std::wstring& path, int rowIndex, const SettingsStore& settings,
                 const std::function<LPARAM()>& newRowTag) {
  Win32FileSystem files;
  StoreSettingsReader reader(settings);
  NkfDllGuesser guesser;
  ListViewSink sink(list, newRowTag);
  InspectionEngine engine(files, reader, guesser, sink);
  engine.InspectPath(path, rowIndex);
}

}  // namespace zentrel
