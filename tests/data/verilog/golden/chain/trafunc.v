//
// created by NOVRA
//	macro    : trafunc
//	function : transition function
//	update   : @TIME@
//


module trafunc_1(
 i1,
 data_out
);
input	i1;
output	data_out;
	assign	data_out = i1;
endmodule

module trafunc_2(
 i1,
 data_out
);
input	i1;
output	data_out;
	assign	data_out = ~i1;
endmodule
