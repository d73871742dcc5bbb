#pragma once
// The settings of a check, taken from the command line instead of the settings file.

#include "command_line.h"
#include "zentrel/core/settings_reader.h"

namespace zentrel::cli {

class OptionSettings final : public SettingsReader {
 public:
  explicit OptionSettings(const CheckOptions& options) : options_(options) {}

  int GetInt(std::wstring_view key, int fallback) override;
  std::wstring GetString(std::wstring_view key, std::wstring_view fallback) override;
  std::vector<std::wstring> ReadIgnoreList() override { return options_.ignore; }

 private:
  const CheckOptions& options_;
};

}  // namespace zentrel::cli
