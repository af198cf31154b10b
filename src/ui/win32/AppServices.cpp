#include "ui/win32/AppServices.h"

#include "settings/PersistentUI.h"

namespace tsy::win32 {

TEditorContext TAppServices::Editor() const {
    return {{Instance, &Owners, &Layouts, &Boxes, ShowHelp},
            Targets,
            Collections,
            Categories,
            Collation,
            CodePage,
            WideCollation};
}

TSettingsContext TAppServices::SettingsContext() const {
    return {Editor(), Settings, Service, Autorun, Options, Portable, Browsers, Opener};
}

} // namespace tsy::win32
