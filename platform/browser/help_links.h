// The two pages of the Help menu: the tutorial shipped with the program and the product's
// home page (shipped beside it unless the build names a web address).
#pragma once

#include <QString>

// file:// address of the tutorial page.
QString TutorialUrl();
// The home page's address: the build's TINTWATCH_WEBSITE_URL, else the shipped page.
QString WebsiteUrl();
// The Help menu caption of the home-page item.
QString WebsiteCaption();
