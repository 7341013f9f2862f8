// The disc search, a video CD played as a list of its files, and a DVD's list of menus, titles
// and chapters kept in step with the navigator.
#pragma once

// Looks for a disc on the drives: a video CD before a DVD; nothing found does nothing.
void findDisc();
// A DVD's navigator is open: its titles and chapters become the active list.
void discOpened();
// The navigator reached a title, or a chapter of the current title: its entry becomes current, and
// the first chapter of a title fills in the title's length.
void followDiscTitle(int title);
void followDiscChapter(int chapter);
