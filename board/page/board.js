'use strict';
// The boards, read from the board's API. Every name and number goes into the page as text
// (textContent), never as markup: names are whatever players typed.

const kRows = 20;

function today() {
    return new Date().toISOString().slice(0, 10);
}

async function readJson(url) {
    const response = await fetch(url);
    const body = await response.json();
    if (!response.ok) {
        throw new Error(body.error || response.statusText);
    }
    return body;
}

function addCell(row, text, className) {
    const cell = document.createElement('td');
    cell.textContent = text;
    if (className) {
        cell.className = className;
    }
    row.appendChild(cell);
    return cell;
}

function milestones(game) {
    const reached = [];
    if (game.bossDestroyed) {
        reached.push('boss');
    }
    if (game.swarmDestroyed) {
        reached.push('swarm');
    }
    if (game.endlessReached) {
        reached.push('endless');
    }
    return reached.length > 0 ? reached.join(', ') : '-';
}

// The browser build plays the recording it is given in ?watch= (a query may hold slashes; the
// id is a number, so nothing needs encoding).
function watchAddress(id) {
    return '/play/?watch=/api/games/' + Number(id);
}

function watch(game, address) {
    document.getElementById('watching').textContent = game.name + ', ' + game.score;
    document.getElementById('screen').src = address;
    const theatre = document.getElementById('theatre');
    theatre.hidden = false;
    theatre.scrollIntoView();
}

function addWatch(row, game, siteBuilt) {
    const cell = addCell(row, '');
    if (!siteBuilt) {
        cell.textContent = 'watch: no browser build on this board';
        cell.className = 'note';
        return;
    }
    const link = document.createElement('a');
    link.textContent = 'watch';
    link.href = watchAddress(game.id);
    link.addEventListener('click', (event) => {
        if (event.button === 0 && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
            event.preventDefault();
            watch(game, link.href);
        }
    });
    cell.appendChild(link);
}

function fill(tableId, scores, siteBuilt) {
    const body = document.querySelector('#' + tableId + ' tbody');
    body.replaceChildren();
    scores.forEach((game, place) => {
        const row = document.createElement('tr');
        addCell(row, String(place + 1));
        addCell(row, game.name, 'name');
        addCell(row, String(game.score), 'score');
        addCell(row, milestones(game));
        addCell(row, game.receivedDay);
        addWatch(row, game, siteBuilt);
        body.appendChild(row);
    });
    if (scores.length === 0) {
        const row = document.createElement('tr');
        const cell = addCell(row, 'No games yet.', 'empty');
        cell.colSpan = 6;
        body.appendChild(row);
    }
}

async function load() {
    const day = today();
    document.getElementById('day').textContent = day;
    document.getElementById('close').addEventListener('click', () => {
        document.getElementById('screen').src = 'about:blank';
        document.getElementById('theatre').hidden = true;
    });
    let siteBuilt = false;
    try {
        siteBuilt = (await (await fetch('/api/health')).json()).site === true;
    } catch (error) {
        siteBuilt = false;
    }
    const play = document.getElementById('play');
    if (siteBuilt) {
        const link = document.createElement('a');
        link.href = '/play/';
        link.textContent = 'Play Glimmerwake in your browser';
        play.appendChild(link);
    }
    try {
        const daily = await readJson('/api/scores?mode=daily&day=' + day + '&limit=' + kRows);
        const free = await readJson('/api/scores?mode=free&limit=' + kRows);
        fill('daily', daily.scores, siteBuilt);
        fill('free', free.scores, siteBuilt);
        document.body.dataset.loaded = 'yes';
    } catch (error) {
        document.getElementById('status').textContent = 'The boards cannot be read: ' + error.message;
    }
}

document.addEventListener('DOMContentLoaded', load);
