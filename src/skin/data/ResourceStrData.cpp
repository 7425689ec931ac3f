#include "ResourceStrData.h"

namespace tolvar {

TskResourceStrData::TskResourceStrData(TComponent* owner) : TComponent(owner), ResStrings(DefaultStrings()) {}

const TextLines& TskResourceStrData::DefaultStrings() {
    static const TextLines strings = {
        // The frame's system menu and caption-button hints.
        "MI_MINCAPTION=Mi&nimize",
        "MI_MAXCAPTION=Ma&ximize",
        "MI_CLOSECAPTION=&Close",
        "MI_RESTORECAPTION=&Restore",
        "MI_MINTOTRAYCAPTION=Minimize to &Tray",
        "MI_ROLLUPCAPTION=Ro&llUp",
        "MINBUTTON_HINT=Minimize",
        "MAXBUTTON_HINT=Maximize",
        "CLOSEBUTTON_HINT=Close",
        "TRAYBUTTON_HINT=Minimize to Tray",
        "ROLLUPBUTTON_HINT=Roll Up",
        "MENUBUTTON_HINT=System menu",
        "RESTORE_HINT=Restore",
        // Edit commands.
        "EDIT_UNDO=Undo",
        "EDIT_COPY=Copy",
        "EDIT_CUT=Cut",
        "EDIT_PASTE=Paste",
        "EDIT_DELETE=Delete",
        "EDIT_SELECTALL=Select All",
        // Message boxes.
        "MSG_BTN_YES=&Yes",
        "MSG_BTN_NO=&No",
        "MSG_BTN_OK=OK",
        "MSG_BTN_CANCEL=Cancel",
        "MSG_BTN_ABORT=&Abort",
        "MSG_BTN_RETRY=&Retry",
        "MSG_BTN_IGNORE=&Ignore",
        "MSG_BTN_ALL=&All",
        "MSG_BTN_NOTOALL=N&o to All",
        "MSG_BTN_YESTOALL=Yes to &All",
        "MSG_BTN_HELP=&Help",
        "MSG_CAP_WARNING=Warning",
        "MSG_CAP_ERROR=Error",
        "MSG_CAP_INFORMATION=Information",
        "MSG_CAP_CONFIRM=Confirm",
        // File, font, print, find and colour dialogs.
        "FILESAVE_CAPTION=Save file",
        "FILEOPEN_CAPTION=Open file",
        "FONTDLG_CAPTION=Font",
        "PRINTDLG_CAPTION=Print",
        "FIND_CAPTION=Find",
        "REPLACE_CAPTION=Replace",
        "COLORDLG_CAPTION=Color",
        // Calculator and data navigator.
        "CALC_CAPTION=Calculator",
        "DB_FIRST=First",
        "DB_PRIOR=Prior",
        "DB_NEXT=Next",
        "DB_LAST=Last",
    };
    return strings;
}

}  // namespace tolvar
