#pragma once

class Surface;

// Resamples source to newWidth x newHeight through scratch: halftone (area
// average) when shrinking, smooth when enlarging. Afterwards the source has no
// background picture and exactly the new size, and scratch is left at the new
// size, cleared to its background colour. Returns false, with the source
// untouched, when the machine cannot hold a surface of that size (scratch is
// then untouched too if the size was refused before any work).
bool ScaleImage(Surface &source, Surface &scratch, int newWidth, int newHeight);
