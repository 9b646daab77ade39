#pragma once

#include <memory>

// Which way a shot flies along the view axis.
enum class Direction : int {
    Away = 1,   // fired by the ship, into the depth
    Toward = 2, // fired by an enemy, toward the camera
};

// The sizes, damage and weapon number that make one kind of shot what it is.
struct ShotKind {
    int weaponType;  // 1 missile, 2 destroyer bullet, 3 laser
    float halfWidth; // in degrees, for collision tests
    float halfDepth; // along the view axis, for collision tests
    int damage;      // hit points an enemy loses per hit
};

// A shot of the player's weapons or of an enemy. Each kind moves and ages itself; render/ draws
// it by its weapon type and direction. The game creates the shots, keeps them all in one list,
// tests them for hits and deletes the ones flagged dead.
class Projectile {
  public:
    virtual void update() = 0;
    // A copy of the whole shot, of its own kind: a copied game plays on exactly.
    virtual std::unique_ptr<Projectile> clone() const = 0;
    virtual ~Projectile() = default;

    void setAngle(float newAngle) { angle = newAngle; }

    float getAngle() const { return angle; }
    float getDepth() const { return depth; }
    float getHalfWidth() const { return halfWidth; }
    float getHalfDepth() const { return halfDepth; }
    Direction getDirection() const { return direction; }
    int getDamage() const { return damage; }
    int getWeaponType() const { return weaponType; }
    bool isHitEnabled() const { return hitEnabled; }
    bool isEnemyOwned() const { return enemyOwned; }

  protected:
    Projectile(float angle, Direction direction, float depth, bool enemyOwned,
               const ShotKind& kind);

    // One step along the direction of flight; out of the field, the shot is flagged dead.
    void fly();

    float depth;
    float angle;
    const float halfWidth;
    const float halfDepth;
    const Direction direction;
    const int damage;
    const int weaponType;
    bool hitEnabled = true;
    // An enemy's shot may hit only the ship, a player's only enemies.
    const bool enemyOwned;

  public:
    // Set by the shot itself or by the game after a hit; the game deletes it in the same frame.
    bool dead = false;
};
