#pragma once

// Points the installation's progress reporting at control 1008 of the wizard's
// progress page, found through the application's sheet on first need.
void BindProgressBarToWizard();
