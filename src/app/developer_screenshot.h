#pragma once

class TfMain;
class Tfsub2;

// A developer aid for documentation images. With VARNOLT_SCREENSHOT=file.png in the environment
// the program saves an image of the main window shortly after start-up and ends; with
// VARNOLT_SCREENSHOT_LOAD="code" or "code,start,end" it first loads that stock on the page
// "データ選択（１）" and shows that page; with VARNOLT_SCREENSHOT_SHOW=1, 2 or 3 it then draws the
// price chart as candlesticks, close bars or a close line and shows the chart page;
// VARNOLT_SCREENSHOT_PAGE=n shows page n (0 the title page) in the image. Returns false when
// the variable is not set.
bool ScheduleScreenshot(TfMain& window);

// The same for the stock browser: with VARNOLT_SCREENSHOT_BROWSER=file.png the program opens
// the browser's screening panel, adds a price condition and a moving-average condition, runs
// the screening, selects the first stock found, saves an image of the browser and ends.
bool ScheduleBrowserScreenshot(Tfsub2& browser);
