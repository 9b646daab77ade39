#pragma once

// The prompt that tells the player which weapon to switch to: kind 1 or 2 names that key.
void drawWeaponPrompt(int kind);
