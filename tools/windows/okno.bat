@echo off
rem Plays Hledani pokladu in a window: the library reads okno\allegro.cfg.
cd /d "%~dp0"
rem Quoted whole, so that a folder name with an ampersand stays one name.
set "ALLEGRO=%~dp0okno"
start "" "%~dp0hledani-pokladu.exe"
