// load_settings and save_settings: the two keys of section "TOVARO" and their defaults.
#include "settings/settings.h"

#include "platform/default_extension.h"
#include "platform/path_style.h"
#include "settings/settings_file.h"

namespace t2k {
namespace {

constexpr std::u16string_view section = u"TOVARO";
constexpr std::u16string_view save_path_key = u"SavePath";
constexpr std::u16string_view save_extension_key = u"SaveExtension";

} // namespace

std::u16string settings_file_path(const std::u16string& folder) {
    return PathStyle::native().with_trailing_delimiter(folder) + u"tovaro.ini";
}

SavedSettings read_saved_settings(std::unique_ptr<SettingsFile> file,
                                  const std::u16string& default_folder) {
    SavedSettings values;
    values.save_path = file->read(section, save_path_key, default_folder);
    values.save_extension = file->read(section, save_extension_key, default_extension);
    file.reset();
    return values;
}

void write_saved_settings(std::unique_ptr<SettingsFile> file, const SavedSettings& values) {
    // A throw leaves at once; unwinding releases the file.
    file->write(section, save_path_key, values.save_path);
    file->write(section, save_extension_key, values.save_extension);
    file.reset();
}

SavedSettings load_settings(const std::u16string& folder) {
    return read_saved_settings(open_settings_file(settings_file_path(folder)), folder);
}

void save_settings(const std::u16string& folder, const SavedSettings& values) {
    write_saved_settings(open_settings_file(settings_file_path(folder)), values);
}

} // namespace t2k
