// The headless console lives in app/headless/.
