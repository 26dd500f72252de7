#pragma once

class QWidget;
struct SkinImages;

// The skin engine: gives the standard controls of every window of the program
// a flat light-blue look with hover, press and fades, from outside the
// controls. A skinned widget carries the dynamic property "PROCADDR" and the
// engine's event filter; its per-widget state lives in further dynamic
// properties ("OLDSTATE", "ALPHALEVEL", "TIMERID", "MOUSEFLAG", "HDINDEX",
// "HMINDEX"), each reading 0 when not set.
//
// While installed, dialogs and main windows are taken over when Qt polishes
// them, before their first paint, and so are the lists that skinned combos
// drop down and controls added later to a skinned window. A widget leaves the
// skin when it is destroyed.
namespace Skin {

// Builds the shared images on first use, then skins window: 1 when it was
// skinned now, 0 for null or an already skinned window.
int install(QWidget *window);
// Unskins window: 1 when the skin was removed, 0 for null or a window that was
// not skinned.
int uninstall(QWidget *window);

// As install and uninstall without building the images. Skinning a
// dialog or main window skins everything it holds; unskinning it unskins it
// all. When the last skinned window leaves the skin, the images are released
// and the engine is no longer installed.
int skinWindow(QWidget *window);
int unskinWindow(QWidget *window);

// A skinned check box or option button shows its mark again in the normal
// state; other widgets are left alone.
void refreshMarks(QWidget *window);

// How many widgets are skinned now.
int skinnedWidgetCount();
// The five shared images while the engine is installed; null otherwise.
const SkinImages *sharedImages();

} // namespace Skin
