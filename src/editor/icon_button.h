#pragma once
// The icon button beside the label: its preview and what a click on it does.
namespace vorlix {

// Shows the icon of app.currentEntry on the icon button and the icon it names (file, and number) as the tooltip.
void refreshIconButton();
// A click on the icon button.
void pickIcon();

} // namespace vorlix
