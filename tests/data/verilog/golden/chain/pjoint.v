//
// created by NOVRA
//	macro    : place joint
//	function : select & conflict arbiter module
//	update   : @TIME@
//


