// The picture screen and the model gallery, two extra screens of the title menu.
#pragma once

// The picture screen: one still image until a key is pressed, then the title. 1 when created.
int OpenPictureScreen();
// Removes every task and opens the model gallery, which returns to the title. 1 when created.
int OpenCarouselGallery();
