#include "entities/enemy.h"

#include "base/play_field.h"

Enemy::Enemy() : depth(kEntryDepth), angle(randomEntryAngle()), startAngle(angle) {}

bool Enemy::takeDamage(int amount) {
    hitPoints -= amount;
    return hitPoints <= 0;
}

void Enemy::setTargetAngle(float shipAngle) {
    targetAngle = shipAngle;
}
