#pragma once

// Makes every drop-down list that takes no typing read out as a field with a
// caption: its accessible name is its own accessible name or else the text of
// the label it is the buddy of, and its value is the chosen item, which its
// popup list also keeps selected while closed. (Qt's own
// reading on Linux gives the chosen item as the name, so a screen reader
// hears "1" for the line width list.) Safe to call more than once.
void installListAccessibility();
