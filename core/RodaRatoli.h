#pragma once
// Mouse-wheel scrolling of one row per wheel step for the grid that has the
// focus. A grid's focus-in handler activates it and its focus-out handler
// deactivates it; at most one grid is hooked at a time.
class Graella;

// Hooks the grid (and unhooks any other grid first).
void Activa_Roda_Ratoli(Graella* grid);
// Unhooks the grid; with nullptr, unhooks whichever grid is hooked.
void Desactiva_Roda_Ratoli(Graella* grid = nullptr);
// The grid hooked now, or nullptr.
Graella* Graella_Roda_Ratoli();
