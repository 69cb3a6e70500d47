#include "alarm/ringtone.h"

namespace tavrel {

void chooseRingtone(Controls& controls) {
    controls.writeText("编辑框5", "");
    controls.setFilter("通用对话框1", "MP3文件|*.mp3");
    // Chosen or cancelled, the box shows what the dialog now holds: a cancel keeps the old path.
    controls.open("通用对话框1");
    controls.setVisible("编辑框5", true);
    controls.writeText("编辑框5", controls.readFileName("通用对话框1"));
    controls.setEnabled("编辑框5", false);
    controls.setPeriod("时钟3", 5000);
}

void hideRingtonePath(Controls& controls) {
    controls.setVisible("编辑框5", false);
}

}  // namespace tavrel
