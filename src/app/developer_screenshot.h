#pragma once

class TfMain;

// A developer aid for documentation images. With VARNOLT_SCREENSHOT=file.png in the environment
// the program saves an image of the main window shortly after start-up and ends; with
// VARNOLT_SCREENSHOT_LOAD="code" or "code,start,end" it first loads that stock on the page
// "データ選択（１）" and shows that page. Returns false when the variable is not set.
bool ScheduleScreenshot(TfMain& window);
