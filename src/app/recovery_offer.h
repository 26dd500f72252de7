#pragma once

class CommonDialogs;
class DocumentCommands;
class QWidget;
class RecoveryCopy;

// At start: the copies that instances which ended abnormally left behind are
// offered one by one, newest first, until one is taken. A copy taken puts its
// picture on the canvas as Open would and becomes this instance's copy; one
// declined is deleted, and so is one that cannot be read (the user is told).
// True when the canvas shows a recovered picture.
bool offerRecovery(RecoveryCopy &copy, DocumentCommands &commands, CommonDialogs &dialogs,
                   QWidget *owner);
